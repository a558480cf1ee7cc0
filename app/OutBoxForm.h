// The out-box: the messages the phone accepted for sending, followed part by
// part.
#pragma once

#include <vector>

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/Forms.h"

class TfrmSMSOutBox : public TTaskbarForm {
  VANTREL_CLASS(TfrmSMSOutBox)
 public:
  explicit TfrmSMSOutBox(TComponent* AOwner);

  TOvFormSR* OvFormSR1;

  // What the dispatcher calls.
  // A message the phone accepted, at the top.
  void AddSMS(const String& number, const String& body, const String& id, const String& sms_parts_cnt);
  // One part's send status ("0" failed, with the error) for the newest
  // message with that number and id.
  void SetSMSStatus(const String& number, const String& id, const String& stat, const String& error);
  // One part's delivery report.
  void SetSMSReport(const String& number, const String& id);

  struct TMessageRow {
    String Number, Body, Id, Parts;
    String Status;  // "0" after a failure, else the count of parts sent
    String Error;
    int Sent = 0;
    int Delivered = 0;
  };
  const std::vector<TMessageRow>& Messages() const { return FMessages; }

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
  TMessageRow* FindRow(const String& number, const String& id);

  std::vector<TMessageRow> FMessages;
};

extern TfrmSMSOutBox* frmSMSOutBox;
