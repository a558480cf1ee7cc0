// The new-SMS window: composes a text message and sends it through the phone.
#pragma once

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/Forms.h"

class TfrmNewSMS : public TTaskbarForm {
  VANTREL_CLASS(TfrmNewSMS)
 public:
  explicit TfrmNewSMS(TComponent* AOwner);

  TOvFormSR* OvFormSR1;

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
};

extern TfrmNewSMS* frmNewSMS;
