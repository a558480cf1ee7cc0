// The out-box: the messages the phone accepted for sending, followed part by
// part.
#pragma once

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/Forms.h"

class TfrmSMSOutBox : public TTaskbarForm {
  VANTREL_CLASS(TfrmSMSOutBox)
 public:
  explicit TfrmSMSOutBox(TComponent* AOwner);

  TOvFormSR* OvFormSR1;

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmSMSOutBox* frmSMSOutBox;
