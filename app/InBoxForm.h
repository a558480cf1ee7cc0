// The in-box: the text messages that the phone forwards, newest first.
#pragma once

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/StdCtrls.h"

class TfrmSmsInBox : public TTaskbarForm {
  VANTREL_CLASS(TfrmSmsInBox)
 public:
  explicit TfrmSmsInBox(TComponent* AOwner);

  TPanel* Panel2;       // header strip
  TCheckBox* CheckBox1;  // accept forwarded messages
  TPanel* Panel1;       // bottom panel; its height is stored
  TOvFormSR* OvFormSR1;

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CheckBox1Click(TObject* Sender);
};

extern TfrmSmsInBox* frmSmsInBox;
