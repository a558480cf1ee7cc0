// The new-SMS window: composes a text message and sends it through the
// phone, places and ends calls, and shows the link state, the character and
// part count and status messages. It also carries the contact search, the
// two text patterns and the update notice.
#pragma once

#include "app/OvFormSR.h"
#include "app/TaskbarForm.h"
#include "base/ComboBox.h"
#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/Image.h"
#include "base/Lists.h"
#include "base/RichEdit.h"
#include "base/StdCtrls.h"

class TAdvGlassButton;
class TNetUpdate;
class TNetUpdateWizard;
class TNetUpdateWizardLanguage;
class TAdvOfficeStatusBar;
class TAdvOfficeStatusBarOfficeStyler;
class TAdvGlowButton;
class TAdvPopupMenu;
class TMenuItem;

// Colours of the three link buttons: linked, lost, just sent.
constexpr TColor LinkSendColor = 0xFFFF00;
constexpr TColor LinkCallColor = 0x00FF80;
constexpr TColor LinkHangUpColor = 0x0000FF;
constexpr TColor LinkLostColor = 0xC0C0C0;
constexpr TColor SentColor = 0x00FF80;
// A field that needs the user's attention, and a field being edited.
constexpr TColor AttentionColor = 0xCACAFF;
constexpr TColor FocusedTextColor = 0xE1FFF0;

// Posted to itself at creation: the after-create step (update check).
constexpr UINT WM_AFTER_CREATE = WM_USER + 100;

// The product's web page, opened by the link label.
extern const wchar_t* const ProductWebPage;
// The update control file on the product's update server, which the check
// at start asks. Tests point it at a server of their own (empty: no check
// reaches any server).
extern String UpdateControlFileURL;

class TfrmNewSMS : public TTaskbarForm {
  VANTREL_CLASS(TfrmNewSMS)
 public:
  explicit TfrmNewSMS(TComponent* AOwner);

  // Layout: the addressing strip at the top, the buttons at the right, the
  // text in the middle.
  TPanel* pnlTop;
  TPanel* pnlRight;
  TPanel* pnlText;
  // Addressing.
  TImage* Image3;            // marks the search field
  TEdit* Edit2;              // search text (part of a name)
  TComboBox* ComboBox1;      // contact names, index-parallel to ContactNumbers
  TLabel* lbContactsCount;   // number of contacts received
  TImage* Image2;            // refresh the phone book
  TLabel* Label2;            // "Number"
  TEdit* Edit1;              // the destination number
  TAdvGlassButton* btnCallTo;   // place a call to the number
  TAdvGlassButton* btnHangUp;   // end the call
  TLabel* Label3;            // "call to"
  TLabel* Label4;            // "hang up"
  // The text.
  TLabel* Label1;            // "SMS Text"
  TCheckBox* CheckBox1;      // "Only EN alphabet "
  TCheckBox* CheckBox2;      // "Add clipboard text"
  TRichEdit* Memo1;          // the SMS text
  TLabel* lbWeb;             // the product's web page
  TCheckBox* CheckBox3;      // "Allways OnTop", hidden
  // Buttons at the right.
  TAdvGlassButton* btnSend;     // "SEND"
  TAdvGlowButton* btnPattern1;  // pattern 1; its drop-down menu edits it
  TAdvGlowButton* btnPattern2;
  TAdvGlowButton* btnClear;     // "clear"
  // The count, status messages and the update notice.
  TAdvOfficeStatusBar* StatusBar1;
  TAdvOfficeStatusBarOfficeStyler* AdvOfficeStatusBarOfficeStyler1;
  // Pattern menus.
  TAdvPopupMenu* AdvPopupMenu1;
  TAdvPopupMenu* AdvPopupMenu2;
  TMenuItem* SetPattern1;
  TMenuItem* SetPattern2;
  TTimer* Timer1;  // resets a failed search; its tag is 1 while the number is edited
  TTimer* Timer2;  // clears the search field after a successful search
  TTimer* Timer3;  // completes the number from the selected contact
  TTimer* Timer4;  // text analysis, 500 ms after the last change
  TOvFormSR* OvFormSR1;
  // The update: the component, its wizard and the wizard's texts.
  TNetUpdate* NetUpdate1;
  TNetUpdateWizard* NetUpdateWizard1;
  TNetUpdateWizardLanguage* NetUpdateWizardEnglish1;
  TNetUpdateWizardLanguage* NetUpdateWizardPolish1;

  // What the dispatcher and the main window call.
  // Shows "chars: <length of the SMS text> / SMS: <count>" in panel 0.
  void ShowSmsInfo(const String& sms_parts_cnt);
  // The SMS text as it is sent: line breaks removed, and Polish letters
  // replaced while "Only EN alphabet " is ticked.
  String GetSmsText();
  // Clears the SMS text and paints it black again.
  void ClearSmsText();
  // Makes the SMS text the active control and colours it.
  void SetMemoFocus();
  void activ_form() {}
  // The status bar's panel texts (0 count, 1 messages, 2 update notice); a
  // panel that does not exist raises EListError.
  void SetStatusText(int Panel, const String& Text);
  String StatusText(int Panel) const;
  // The link state on SEND, CALL and HANG UP: background colours and
  // whether they can be used.
  TColor SendColor() const;
  void SetSendColor(TColor Value);
  TColor CallColor() const;
  void SetCallColor(TColor Value);
  TColor HangUpColor() const;
  void SetHangUpColor(TColor Value);
  bool LinkButtonsEnabled() const;
  void SetLinkButtonsEnabled(bool Value);
  // The contact counter.
  void SetContactCount(int Count);
  int ContactCount() const { return StrToIntDef(lbContactsCount->Caption(), 0); }
  // Loads the contact list, enables it when it has entries, and selects
  // entry Selected (-1: none).
  void LoadContacts(TStrings* Names, int Selected);
  bool ContactListEnabled() const { return ComboBox1->Enabled(); }
  int SelectedContact() const { return ComboBox1->ItemIndex(); }
  // The destination number field's text.
  String NumberText() const { return Edit1->Text(); }
  void SetNumberText(const String& Value) { Edit1->SetText(Value); }

  // The update check: done once per start; whether it found a newer
  // version, and which.
  bool UpdateChecked = false;
  bool UpdateAvailable = false;
  String NewVersionInfo;
  // The after-create step arms this window timer (one tick, then killed);
  // its tick starts the check on its worker, after the start-up's own
  // messages, when the program is idle.
  static constexpr UINT_PTR UpdateCheckTimerId = 0x5543;
  static constexpr UINT UpdateCheckDelayMs = 500;
  // Runs the update wizard (from the executable's folder) while an update
  // is available; does nothing otherwise.
  void RunUpdateWizard();

  // The caption of pattern button Nr (1 or 2): the pattern's title.
  String PatternTitle(int Nr) const;
  void SetPatternTitle(int Nr, const String& Title);

  // Handlers, public so that tests drive the window as the user does.
  void btnSendClick(TObject* Sender);
  void btnCallToClick(TObject* Sender);
  void btnHangUpClick(TObject* Sender);
  void btnClearClick(TObject* Sender);
  void btnPattern1Click(TObject* Sender);
  void btnPattern2Click(TObject* Sender);
  void SetPattern1Click(TObject* Sender);
  void SetPattern2Click(TObject* Sender);
  void Image2Click(TObject* Sender);
  void lbWebClick(TObject* Sender);
  void StatusBar1PanelClick(TObject* Sender, int PanelIndex);

  void Dispatch(TMessage& Message) override;

 protected:
  void DoShow() override;

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  // The pattern menus show the main window's pictures.
  void PatternMenuPopup(TObject* Sender);
  void WMAfterCreate();
  // The pictures of the window are drawn when it is first shown, the
  // wizard's billboard when the wizard first runs: a start with the window
  // hidden draws none of them.
  void DrawPictures();
  void DrawBillboard();
  bool FPicturesDrawn = false;
  bool FBillboardDrawn = false;
  // Starts the check on its worker (the after-create step's timer).
  void StartUpdateCheck();
  bool FUpdateCheckStarted = false;
  // The check's answer, on the GUI thread: the notice in the status bar and
  // the tray balloon. It comes at any time later, so it leaves the windows'
  // order and the focus alone: the window came forward at the after-create
  // step.
  void UpdateCheckDone(bool Available);
  void BringToFrontOnce();
  void NetUpdate1AppRestart(TObject* Sender, bool& Allow);
  // The press effect of the buttons and the refresh picture.
  void btnCallToMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void btnCallToMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Memo1Change(TObject* Sender);
  void Timer4Timer(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void CheckBox2Click(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  void lbWebMouseEnter(TObject* Sender);
  void lbWebMouseLeave(TObject* Sender);
  // Contact search and number completion.
  void Edit1KeyPress(TObject* Sender, wchar_t& Key);
  void Edit1Click(TObject* Sender);
  void Edit1DblClick(TObject* Sender);
  void Edit1Exit(TObject* Sender);
  void Edit1Change(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void ComboBox1DblClick(TObject* Sender);
  void Edit2Change(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);
  void Timer3Timer(TObject* Sender);
  // Patterns.
  void PatternClick(int Nr);
  void EditPattern(int Nr);

  // The number of the selected contact, "" when none (or the lists moved
  // apart meanwhile).
  String SelectedContactNumber();
  void SendCommand(const String& Command);

};

extern TfrmNewSMS* frmNewSMS;
