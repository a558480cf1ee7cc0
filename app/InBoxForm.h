// The in-box: the text messages that the phone forwards, newest first, with
// the sender's name from the phone book. Selecting a message shows its text
// and marks it read; a reply opens the new-SMS window addressed to the
// sender.
#pragma once

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

// The in-box's rows: sub-items, and images.
enum TInBoxSubItem { ibNumber, ibName, ibBody };
constexpr int UnreadImage = 0;
constexpr int ReadImage = 1;
constexpr int ReplyImage = 2;

class TfrmSmsInBox : public TTaskbarForm {
  VANTREL_CLASS(TfrmSmsInBox)
 public:
  explicit TfrmSmsInBox(TComponent* AOwner);

  TPanel* Panel2;          // header strip
  TAdvReflectionLabel* AdvReflectionLabel1;  // the window's name, at the right
  TImage* Image1;          // the header's picture
  TCheckBox* CheckBox1;    // accept forwarded messages
  TAdvListView* ListView1;    // the messages, newest first
  TSplitter* Splitter1;
  TPanel* Panel1;          // bottom panel; its height is stored
  TRichEdit* Memo1;        // one message's text
  TImageList* ImageList1;  // 0 unread, 1 read, 2 reply
  TAdvPopupMenu* PopupMenu1;
  TMenuItem* miReply;
  TMenuItem* miClear;
  TOvFormSR* OvFormSR1;

  // What the dispatcher calls.
  // Whether forwarded messages are accepted (the accept option).
  bool AcceptIncoming() const { return CheckBox1->Checked(); }
  // Adds one forwarded message at the top, with the sender's name, shows
  // its text and selects it.
  void AddSMS(const String& number, const String& body);

  // Opens the new-SMS window addressed to the selected message's sender and
  // marks the message read; nothing without a selected message.
  void ReplyToSelected();
  // Removes every message.
  void ClearClick(TObject* Sender);
  void ListView1Click(TObject* Sender);

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CheckBox1Click(TObject* Sender);
  void ListView1DblClick(TObject* Sender);
  void ListView1Resize(TObject* Sender);
  void ListView1AdvancedCustomDrawItem(TCustomListView* Sender, TListItem* Item, TCustomDrawState State,
                                       TCustomDrawStage Stage, bool& DefaultDraw);
  void PopupMenu1Popup(TObject* Sender);
  void ReplyClick(TObject* Sender);
};

extern TfrmSmsInBox* frmSmsInBox;
