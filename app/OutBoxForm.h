// The out-box: the messages the phone accepted for sending, newest first,
// followed part by part: a state image shows how many parts were sent (or
// that sending failed), an image how many were delivered, and two labels
// describe the selected message in words.
#pragma once

#include "app/OutBoxStatus.h"
#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/Image.h"
#include "base/ImgList.h"
#include "base/ListView.h"
#include "ui/controls/AdvListView.h"
#include "base/RichEdit.h"
#include "base/Splitter.h"
#include "base/StdCtrls.h"

class TAdvPopupMenu;
class TAdvReflectionLabel;
class TMenuItem;

// Colours of the status labels.
constexpr TColor OutBoxValueColor = 0xFF8000;
constexpr TColor OutBoxCaptionColor = 0x808080;
constexpr TColor OutBoxErrorColor = 0x0000FF;

class TfrmSMSOutBox : public TTaskbarForm {
  VANTREL_CLASS(TfrmSMSOutBox)
 public:
  explicit TfrmSMSOutBox(TComponent* AOwner);

  TPanel* Panel2;  // header strip
  TAdvReflectionLabel* AdvReflectionLabel1;  // the window's name, at the right
  TImage* Image1;  // the header's picture
  TLabel* lbStat;
  TLabel* lbRep;
  TLabel* lbStatus;
  TLabel* lbReport;
  TAdvListView* ListView1;
  TSplitter* Splitter1;
  TPanel* Panel1;
  TRichEdit* Memo1;
  TImageList* RepImgList;   // delivery images
  TImageList* StatImgList;  // sending images
  TAdvPopupMenu* PopupMenu1;
  TMenuItem* miClear;
  TOvFormSR* OvFormSR1;

  // What the dispatcher calls.
  // A message the phone accepted, at the top, selected.
  void AddSMS(const String& number, const String& body, const String& id, const String& sms_parts_cnt);
  // One part's send status ("0": it failed, with the error) for the newest
  // message with that number and id.
  void SetSMSStatus(const String& number, const String& id, const String& stat, const String& error);
  // One part's delivery report for the newest message with that number and
  // id.
  void SetSMSReport(const String& number, const String& id);

  // The labels for a row.
  void ShowSendStatus(TListItem* Row);
  void ShowDeliveryReport(TListItem* Row);
  // Removes every message.
  void ClearClick(TObject* Sender);

 private:
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ListView1SelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void ListView1Resize(TObject* Sender);
  void ListView1AdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState State,
                                       TCustomDrawStage Stage, bool& DefaultDraw);
  // The newest row with that number and id, exactly; nullptr when none.
  TListItem* FindRow(const String& number, const String& id);
};

extern TfrmSMSOutBox* frmSMSOutBox;
