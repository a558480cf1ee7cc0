// The out-box: the messages the phone accepted for sending, newest first,
// followed part by part: a state image shows how many parts were sent (or
// that sending failed), an image how many were delivered, and two labels
// describe the selected message in words.
#pragma once

#include "app/OutBoxStatus.h"
#include "app/SmsBoxForm.h"
#include "base/ImgList.h"

// Colours of the status labels.
constexpr TColor OutBoxValueColor = 0xFF8000;
constexpr TColor OutBoxCaptionColor = 0x808080;
constexpr TColor OutBoxErrorColor = 0x0000FF;

class TfrmSMSOutBox : public TSmsBoxForm {
  VANTREL_CLASS(TfrmSMSOutBox)
 public:
  explicit TfrmSMSOutBox(TComponent* AOwner);

  TLabel* lbStat;
  TLabel* lbRep;
  TLabel* lbStatus;
  TLabel* lbReport;
  TImageList* RepImgList;   // delivery images
  TImageList* StatImgList;  // sending images
  TMenuItem* miClear;

  // What the dispatcher calls.
  // A message the phone accepted, at the top, selected.
  void AddSMS(const String& number, const String& body, const String& id, const String& sms_parts_cnt);
  // One part's send status ("0": it failed, with the error) for the newest
  // message with that number and id.
  void SetSMSStatus(const String& number, const String& id, const String& stat, const String& error);
  // One part's delivery report for the newest message with that number and
  // id.
  void SetSMSReport(const String& number, const String& id);

  // The labels for a row, while it is the selected one; nothing for
  // another row.
  void ShowSendStatus(TListItem* Row);
  void ShowDeliveryReport(TListItem* Row);

 protected:
  void DrawPictures() override;

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ListView1SelectItem(TObject* Sender, TListItem* Item, bool Selected);
  // The newest row with that number and id, exactly; nullptr when none.
  TListItem* FindRow(const String& number, const String& id);
};

extern TfrmSMSOutBox* frmSMSOutBox;
