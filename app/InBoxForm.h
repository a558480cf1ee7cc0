// The in-box: the text messages that the phone forwards, newest first, with
// the sender's name from the phone book. Selecting a message shows its text
// and marks it read; a reply opens the new-SMS window addressed to the
// sender.
#pragma once

#include "app/SmsBoxForm.h"
#include "base/ImgList.h"

// The in-box's rows: sub-items, and images.
enum TInBoxSubItem { ibNumber, ibName, ibBody };
constexpr int UnreadImage = 0;
constexpr int ReadImage = 1;
constexpr int ReplyImage = 2;

class TfrmSmsInBox : public TSmsBoxForm {
  VANTREL_CLASS(TfrmSmsInBox)
 public:
  explicit TfrmSmsInBox(TComponent* AOwner);

  TCheckBox* CheckBox1;    // accept forwarded messages
  TImageList* ImageList1;  // 0 unread, 1 read, 2 reply
  TMenuItem* miReply;
  TMenuItem* miClear;

  // What the dispatcher calls.
  // Whether forwarded messages are accepted (the accept option).
  bool AcceptIncoming() const { return CheckBox1->Checked(); }
  // Adds one forwarded message at the top, with the sender's name, shows
  // its text and selects it.
  void AddSMS(const String& number, const String& body);

  // Opens the new-SMS window addressed to the selected message's sender and
  // marks the message read; nothing without a selected message.
  void ReplyToSelected();
  void ListView1Click(TObject* Sender);

 protected:
  void DrawPictures() override;

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CheckBox1Click(TObject* Sender);
  void ListView1DblClick(TObject* Sender);
  void PopupMenu1Popup(TObject* Sender);
  void ReplyClick(TObject* Sender);
};

extern TfrmSmsInBox* frmSmsInBox;
