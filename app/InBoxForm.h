// The in-box: the text messages that the phone forwards, newest first.
#pragma once

#include <vector>

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

  // What the dispatcher calls.
  // Whether forwarded messages are accepted (the accept option).
  bool AcceptIncoming() const { return CheckBox1->Checked(); }
  // Adds one forwarded message, newest first.
  void AddSMS(const String& number, const String& body);
  struct TMessageRow {
    String Number;
    String Body;
  };
  const std::vector<TMessageRow>& Messages() const { return FMessages; }

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CheckBox1Click(TObject* Sender);

  std::vector<TMessageRow> FMessages;
};

extern TfrmSmsInBox* frmSmsInBox;
