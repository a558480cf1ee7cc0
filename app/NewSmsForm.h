// The new-SMS window: composes a text message and sends it through the phone.
#pragma once

#include "app/OvFormSR.h"
#include "base/Forms.h"

class TfrmNewSMS : public TForm {
  VANTREL_CLASS(TfrmNewSMS)
 public:
  explicit TfrmNewSMS(TComponent* AOwner);

  TOvFormSR* OvFormSR1;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmNewSMS* frmNewSMS;
