// The new-SMS window: composes a text message and sends it through the phone.
#pragma once

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/Forms.h"
#include "base/Lists.h"
#include "base/StdCtrls.h"

// Colours of the three link buttons: linked, lost, just sent.
constexpr TColor LinkSendColor = 0xFFFF00;
constexpr TColor LinkCallColor = 0x00FF80;
constexpr TColor LinkHangUpColor = 0x0000FF;
constexpr TColor LinkLostColor = 0xC0C0C0;
constexpr TColor SentColor = 0x00FF80;

class TfrmNewSMS : public TTaskbarForm {
  VANTREL_CLASS(TfrmNewSMS)
 public:
  explicit TfrmNewSMS(TComponent* AOwner);

  TCheckBox* CheckBox3;  // "Allways OnTop", hidden
  TOvFormSR* OvFormSR1;

  // What the dispatcher and the main window call.
  // Shows "chars: <length of the SMS text> / SMS: <count>" in panel 0.
  void ShowSmsInfo(const String& sms_parts_cnt);
  // The SMS text as it is sent: line breaks removed.
  String GetSmsText();
  // Clears the SMS text and paints it black again.
  void ClearSmsText();
  // The status bar's panel texts (0 count, 1 messages, 2 update notice).
  void SetStatusText(int Panel, const String& Text);
  String StatusText(int Panel) const;
  // The link state on SEND, CALL and HANG UP: background colours and
  // whether they can be used.
  TColor SendColor() const { return FSendColor; }
  void SetSendColor(TColor Value) { FSendColor = Value; }
  TColor CallColor() const { return FCallColor; }
  void SetCallColor(TColor Value) { FCallColor = Value; }
  TColor HangUpColor() const { return FHangUpColor; }
  void SetHangUpColor(TColor Value) { FHangUpColor = Value; }
  bool LinkButtonsEnabled() const { return FLinkButtonsEnabled; }
  void SetLinkButtonsEnabled(bool Value) { FLinkButtonsEnabled = Value; }
  // The contact counter.
  void SetContactCount(int Count);
  int ContactCount() const { return FContactCount; }
  // Loads the contact list, enables it when it has entries, and selects
  // entry Selected (-1: none).
  void LoadContacts(TStrings* Names, int Selected);
  bool ContactListEnabled() const { return FContactListEnabled; }
  int SelectedContact() const { return FSelectedContact; }
  // The destination number field's text.
  String NumberText() const { return FNumberText; }
  void SetNumberText(const String& Value) { FNumberText = Value; }

  // The update offered by the update check, and its wizard.
  bool UpdateAvailable = false;
  void RunUpdateWizard() {}

 private:
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void CheckBox3Click(TObject* Sender);

  String FSmsText;
  String FStatusText[3];
  TColor FSendColor = LinkLostColor;
  TColor FCallColor = LinkLostColor;
  TColor FHangUpColor = LinkLostColor;
  bool FLinkButtonsEnabled = false;
  int FContactCount = 0;
  TStringList FContacts;
  bool FContactListEnabled = false;
  int FSelectedContact = -1;
  String FNumberText;
};

extern TfrmNewSMS* frmNewSMS;
