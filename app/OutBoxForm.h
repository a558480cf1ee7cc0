// The out-box: the messages the phone accepted for sending, followed part by
// part.
#pragma once

#include "app/OvFormSR.h"
#include "base/Forms.h"

class TfrmSMSOutBox : public TForm {
  VANTREL_CLASS(TfrmSMSOutBox)
 public:
  explicit TfrmSMSOutBox(TComponent* AOwner);

  TOvFormSR* OvFormSR1;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmSMSOutBox* frmSMSOutBox;
