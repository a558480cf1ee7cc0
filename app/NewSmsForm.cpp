#include "app/NewSmsForm.h"

#include "app/ContactSearch.h"
#include "app/MainForm.h"
#include "app/OvTools.h"
#include "app/PatternForm.h"
#include "app/PhoneProtocol.h"
#include "app/SmsImages.h"
#include "app/SmsText.h"
#include "app/TextPatterns.h"
#include "base/Clipboard.h"
#include "base/DisplayText.h"
#include "base/Shell.h"
#include "ui/controls/buttons/AdvGlassButton.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/menus/AdvMenuOfficeStyler.h"
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"
#include "ui/controls/statusbar/AdvOfficeStatusBarStylers.h"
#include "ui/controls/statusbar/AdvOfficeStatusPanels.h"
#include "ui/controls/menus/AdvMenus.h"
#include "update/NetUpdate.h"
#include "update/NetUpdateWizard.h"
#include "update/NetUpdateWizardLanguage.h"
#include "update/UpdatePictures.h"

TfrmNewSMS* frmNewSMS = nullptr;

const wchar_t* const ProductWebPage = L"https://www.vantrel.com/";
String UpdateControlFileURL = L"http://www.vantrel.com/download/ulvex_updates/vantrel/Vantrel.INF";

namespace {

const TColor kLinkColor = 0xFF8000;
const TColor kLinkHotColor = 0xFF0000;
const TColor kWindowColor = 0xF7F7F7;

template <class T>
T* Place(TComponent* Owner, TWinControl* Parent, const wchar_t* Name, int L, int T_, int W, int H) {
  auto* c = new T(Owner);
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(L, T_, W, H);
  return c;
}

TLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, const wchar_t* Name, const wchar_t* Caption, int L, int T) {
  auto* l = new TLabel(Owner);
  l->SetName(Name);
  l->SetParent(Parent);
  l->SetLeft(L);
  l->SetTop(T);
  l->SetCaption(Caption);
  return l;
}

TPanel* PlacePanel(TComponent* Owner, TWinControl* Parent, const wchar_t* Name, TAlign Align, int Size) {
  auto* p = new TPanel(Owner);
  p->SetName(Name);
  p->SetParent(Parent);
  p->SetBevelOuter(TBevelCut::bvNone);
  p->SetParentColor(true);
  if (Align == TAlign::alLeft || Align == TAlign::alRight)
    p->SetWidth(Size);
  else
    p->SetHeight(Size);
  p->SetAlign(Align);
  return p;
}

// The link buttons' looks: only the back colour follows the link state.
TAdvGlassButton* MakeGlass(TComponent* Owner, TWinControl* Parent, const wchar_t* Name, int L, int T, int W, int H,
                           int Radius) {
  auto* b = Place<TAdvGlassButton>(Owner, Parent, Name, L, T, W, H);
  b->SetCornerRadius(Radius);
  b->SetForeColor(clWhite);
  b->SetGlowColor(0xFFBD8D);
  b->SetInnerBorderColor(clBlack);
  b->SetOuterBorderColor(clWhite);
  b->SetShineColor(clWhite);
  b->SetBackColor(LinkLostColor);
  return b;
}

void Restart(TTimer* Timer) {
  Timer->SetEnabled(false);
  Timer->SetEnabled(true);
}

}  // namespace

TfrmNewSMS::TfrmNewSMS(TComponent* AOwner) : TTaskbarForm(AOwner) {
  BeginLoading();
  SetName(L"frmNewSMS");
  SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
  SetCaption(L"NEW SMS");
  SetClientWidth(500);
  SetClientHeight(308);
  SetColor(kWindowColor);
  Constraints()->SetMinWidth(515);
  Constraints()->SetMinHeight(347);

  // The status bar at the bottom: count, messages, update notice.
  AdvOfficeStatusBarOfficeStyler1 = new TAdvOfficeStatusBarOfficeStyler(this);
  AdvOfficeStatusBarOfficeStyler1->SetName(L"AdvOfficeStatusBarOfficeStyler1");
  AdvOfficeStatusBarOfficeStyler1->SetStyle(TOfficeStatusBarStyle::psOffice2007Luna);
  StatusBar1 = new TAdvOfficeStatusBar(this);
  StatusBar1->SetName(L"StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetAlign(TAlign::alBottom);
  StatusBar1->SetStyler(AdvOfficeStatusBarOfficeStyler1);
  StatusBar1->SetShowSplitter(true);
  StatusBar1->SetSimplePanel(false);
  StatusBar1->SetAnchorHint(false);
  StatusBar1->SetShowHint(false);
  for (int width : {120, 140, 50}) {
    TAdvOfficeStatusPanel* panel = StatusBar1->Panels()->Add();
    panel->SetWidth(width);
    panel->SetAlignment(TAlignment::taCenter);
    panel->SetAppearanceStyle(TPanelAppearanceStyle::psLight);
    panel->SetButton(true);
  }
  StatusBar1->Panels()->Items(0)->SetText(L"chars: 0 / SMS: 0");
  StatusBar1->OnPanelClick = Bind(this, &TfrmNewSMS::StatusBar1PanelClick);

  // The addressing strip: search, contact list, counter, refresh; number,
  // call and hang-up.
  pnlTop = PlacePanel(this, this, L"pnlTop", TAlign::alTop, 76);
  Image3 = Place<TImage>(this, pnlTop, L"Image3", 8, 10, 16, 16);
  Image3->SetHint(L" Search contact ");
  Image3->SetShowHint(true);
  Image3->SetTransparent(true);
  Edit2 = Place<TEdit>(this, pnlTop, L"Edit2", 30, 8, 130, 21);
  Edit2->OnChange = Bind(this, &TfrmNewSMS::Edit2Change);
  ComboBox1 = Place<TComboBox>(this, pnlTop, L"ComboBox1", 168, 8, 210, 21);
  ComboBox1->SetDropDownCount(16);
  ComboBox1->SetEnabled(false);
  ComboBox1->OnChange = Bind(this, &TfrmNewSMS::ComboBox1Change);
  ComboBox1->OnDblClick = Bind(this, &TfrmNewSMS::ComboBox1DblClick);
  lbContactsCount = PlaceLabel(this, pnlTop, L"lbContactsCount", L"000", 384, 11);
  lbContactsCount->Font()->SetColor(clGray);
  Image2 = Place<TImage>(this, pnlTop, L"Image2", 414, 9, 18, 18);
  Image2->SetHint(L" Refresh contacts from phonebook ");
  Image2->SetShowHint(true);
  Image2->SetCursor(crHandPoint);
  Image2->SetTransparent(true);
  Image2->OnClick = Bind(this, &TfrmNewSMS::Image2Click);
  Image2->OnMouseDown = Bind(this, &TfrmNewSMS::btnCallToMouseDown);
  Image2->OnMouseUp = Bind(this, &TfrmNewSMS::btnCallToMouseUp);

  Label2 = PlaceLabel(this, pnlTop, L"Label2", L"Number", 8, 45);
  Edit1 = Place<TEdit>(this, pnlTop, L"Edit1", 60, 42, 180, 21);
  Edit1->Font()->SetSize(10);
  Edit1->Font()->SetStyle({TFontStyle::fsBold});
  Edit1->OnChange = Bind(this, &TfrmNewSMS::Edit1Change);
  Edit1->OnKeyPress = Bind(this, &TfrmNewSMS::Edit1KeyPress);
  Edit1->OnClick = Bind(this, &TfrmNewSMS::Edit1Click);
  Edit1->OnDblClick = Bind(this, &TfrmNewSMS::Edit1DblClick);
  Edit1->OnExit = Bind(this, &TfrmNewSMS::Edit1Exit);
  btnCallTo = MakeGlass(this, pnlTop, L"btnCallTo", 252, 37, 34, 32, 5);
  btnCallTo->SetHint(L" CALL TO ");
  btnCallTo->SetShowHint(true);
  btnCallTo->OnClick = Bind(this, &TfrmNewSMS::btnCallToClick);
  btnCallTo->OnMouseDown = Bind(this, &TfrmNewSMS::btnCallToMouseDown);
  btnCallTo->OnMouseUp = Bind(this, &TfrmNewSMS::btnCallToMouseUp);
  btnHangUp = MakeGlass(this, pnlTop, L"btnHangUp", 348, 37, 34, 32, 5);
  btnHangUp->SetHint(L" HANG UP ");
  btnHangUp->SetShowHint(true);
  btnHangUp->OnClick = Bind(this, &TfrmNewSMS::btnHangUpClick);
  btnHangUp->OnMouseDown = Bind(this, &TfrmNewSMS::btnCallToMouseDown);
  btnHangUp->OnMouseUp = Bind(this, &TfrmNewSMS::btnCallToMouseUp);
  Label3 = PlaceLabel(this, pnlTop, L"Label3", L"call to", 290, 47);
  Label3->Font()->SetColor(clGray);
  Label4 = PlaceLabel(this, pnlTop, L"Label4", L"hang up", 386, 47);
  Label4->Font()->SetColor(clGray);

  // The buttons at the right.
  pnlRight = PlacePanel(this, this, L"pnlRight", TAlign::alRight, 104);
  btnSend = MakeGlass(this, pnlRight, L"btnSend", 8, 22, 88, 72, 8);
  btnSend->SetCaption(L"SEND");
  btnSend->Font()->SetSize(14);
  btnSend->Font()->SetStyle({TFontStyle::fsBold});
  btnSend->Font()->SetColor(clWhite);
  btnSend->OnClick = Bind(this, &TfrmNewSMS::btnSendClick);
  btnSend->OnMouseDown = Bind(this, &TfrmNewSMS::btnCallToMouseDown);
  btnSend->OnMouseUp = Bind(this, &TfrmNewSMS::btnCallToMouseUp);

  // The text.
  pnlText = PlacePanel(this, this, L"pnlText", TAlign::alClient, 0);
  Label1 = PlaceLabel(this, pnlText, L"Label1", L"SMS Text", 8, 4);
  CheckBox1 = Place<TCheckBox>(this, pnlText, L"CheckBox1", 130, 2, 120, 17);
  CheckBox1->SetCaption(L"Only EN alphabet ");
  CheckBox1->OnClick = Bind(this, &TfrmNewSMS::CheckBox1Click);
  CheckBox2 = Place<TCheckBox>(this, pnlText, L"CheckBox2", 258, 2, 130, 17);
  CheckBox2->SetCaption(L"Add clipboard text");
  CheckBox2->OnClick = Bind(this, &TfrmNewSMS::CheckBox2Click);
  Memo1 = Place<TRichEdit>(this, pnlText, L"Memo1", 8, 22, 380, 166);
  Memo1->SetMaxLength(1024);
  Memo1->SetScrollBars(TScrollStyle::ssVertical);
  Memo1->SetPlainText(true);
  Memo1->OnChange = Bind(this, &TfrmNewSMS::Memo1Change);
  lbWeb = PlaceLabel(this, pnlText, L"lbWeb", L"www.vantrel.com", 8, 192);
  lbWeb->Font()->SetColor(kLinkColor);
  lbWeb->SetCursor(crHandPoint);
  lbWeb->OnMouseEnter = Bind(this, &TfrmNewSMS::lbWebMouseEnter);
  lbWeb->OnMouseLeave = Bind(this, &TfrmNewSMS::lbWebMouseLeave);
  lbWeb->OnClick = Bind(this, &TfrmNewSMS::lbWebClick);
  CheckBox3 = Place<TCheckBox>(this, pnlText, L"CheckBox3", 258, 192, 97, 17);
  CheckBox3->SetCaption(L"Allways OnTop");
  CheckBox3->SetVisible(false);
  CheckBox3->OnClick = Bind(this, &TfrmNewSMS::CheckBox3Click);

  // The pattern buttons' drop-down menus.
  auto makeMenu = [this](const wchar_t* name, const wchar_t* itemName, const wchar_t* caption,
                         void (TfrmNewSMS::*handler)(TObject*), TMenuItem*& item) {
    auto* m = new TAdvPopupMenu(this);
    m->SetName(name);
    item = new TMenuItem(this);
    item->SetName(itemName);
    item->SetCaption(caption);
    item->SetImageIndex(6);
    item->OnClick = Bind(this, handler);
    m->Items()->Add(item);
    return m;
  };
  AdvPopupMenu1 = makeMenu(L"AdvPopupMenu1", L"SetPattern1", L"Set Pattern 1", &TfrmNewSMS::SetPattern1Click,
                           SetPattern1);
  AdvPopupMenu2 = makeMenu(L"AdvPopupMenu2", L"SetPattern2", L"Set Pattern 2", &TfrmNewSMS::SetPattern2Click,
                           SetPattern2);
  // The main window's look and pictures.
  if (Form1) {
    for (TAdvPopupMenu* m : {AdvPopupMenu1, AdvPopupMenu2}) {
      m->SetImages(Form1->ImageList1);
      m->SetMenuStyler(Form1->ofMenuStyler);
      m->OnPopup = Bind(this, &TfrmNewSMS::PatternMenuPopup);
    }
  }

  auto makeGlow = [this](const wchar_t* name, const wchar_t* caption, int top, int height,
                         void (TfrmNewSMS::*handler)(TObject*)) {
    auto* b = Place<TAdvGlowButton>(this, pnlRight, name, 8, top, 88, height);
    b->SetCaption(caption);
    b->OnClick = Bind(this, handler);
    b->OnMouseDown = Bind(this, &TfrmNewSMS::btnCallToMouseDown);
    b->OnMouseUp = Bind(this, &TfrmNewSMS::btnCallToMouseUp);
    return b;
  };
  btnPattern1 = makeGlow(L"btnPattern1", L"Pattern1", 110, 26, &TfrmNewSMS::btnPattern1Click);
  btnPattern1->SetDropDownButton(true);
  btnPattern1->SetDropDownMenu(AdvPopupMenu1);
  btnPattern2 = makeGlow(L"btnPattern2", L"Pattern2", 142, 26, &TfrmNewSMS::btnPattern2Click);
  btnPattern2->SetDropDownButton(true);
  btnPattern2->SetDropDownMenu(AdvPopupMenu2);
  btnClear = makeGlow(L"btnClear", L"clear", 182, 24, &TfrmNewSMS::btnClearClick);

  auto makeTimer = [this](const wchar_t* name, unsigned interval, void (TfrmNewSMS::*handler)(TObject*)) {
    auto* t = new TTimer(this);
    t->SetName(name);
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetOnTimer(Bind(this, handler));
    return t;
  };
  Timer1 = makeTimer(L"Timer1", 2000, &TfrmNewSMS::Timer1Timer);
  Timer2 = makeTimer(L"Timer2", 2000, &TfrmNewSMS::Timer2Timer);
  Timer3 = makeTimer(L"Timer3", 2000, &TfrmNewSMS::Timer3Timer);
  Timer4 = makeTimer(L"Timer4", 500, &TfrmNewSMS::Timer4Timer);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  // The update: the component, the wizard's texts and the wizard.
  NetUpdate1 = new TNetUpdate(this);
  NetUpdate1->SetName(L"NetUpdate1");
  NetUpdate1->SetAgent(L"TNetUpdate");
  NetUpdate1->SetApplyPatch(true);
  NetUpdate1->SetDateFormat(L"dd/mm/yyyy");
  NetUpdate1->SetDateSeparator(L'/');
  NetUpdate1->SetTimeFormat(L"hh:nn");
  NetUpdate1->SetTimeSeparator(L':');
  NetUpdate1->SetSignature(L"NetUpdate");
  NetUpdate1->SetTempDirectory(L".");
  NetUpdate1->PostUpdateInfo()->SetEnabled(false);
  NetUpdate1->OnAppRestart = Bind(this, &TfrmNewSMS::NetUpdate1AppRestart);
  NetUpdateWizardEnglish1 = new TNetUpdateWizardEnglish(this);
  NetUpdateWizardEnglish1->SetName(L"NetUpdateWizardEnglish1");
  NetUpdateWizardPolish1 = new TNetUpdateWizardPolish(this);
  NetUpdateWizardPolish1->SetName(L"NetUpdateWizardPolish1");
  NetUpdateWizardPolish1->SetCurrentProgress(L"Post\u0119p bie\u017C\u0105cego pliku");
  NetUpdateWizardPolish1->SetRestartInfo(L"Uruchom now\u0105 wersj\u0119 aplikacji");
  NetUpdateWizard1 = new TNetUpdateWizard(this);
  NetUpdateWizard1->SetName(L"NetUpdateWizard1");
  NetUpdateWizard1->SetAutoStart(true);
  NetUpdateWizard1->SetCaption(L"Vantrel update");
  NetUpdateWizard1->Font()->SetName(L"Tahoma");
  NetUpdateWizard1->Font()->SetHeight(-11);
  NetUpdateWizard1->Font()->SetCharset(EASTEUROPE_CHARSET);
  NetUpdateWizard1->Font()->SetStyle({});
  NetUpdateWizard1->SetLanguage(NetUpdateWizardEnglish1);
  NetUpdateWizard1->SetNetUpdate(NetUpdate1);


  OnCreate = Bind(this, &TfrmNewSMS::FormCreate);
  OnShow = Bind(this, &TfrmNewSMS::FormShow);
  OnClose = Bind(this, &TfrmNewSMS::FormClose);
  EndLoading();
}

void TfrmNewSMS::DoShow() {
  DrawPictures();
  TTaskbarForm::DoShow();
}

void TfrmNewSMS::DrawPictures() {
  if (FPicturesDrawn) return;
  FPicturesDrawn = true;
  DrawSearchPicture(Image3->Picture());
  DrawRefreshPicture(Image2->Picture());
  DrawCallPicture(btnCallTo->Picture());
  DrawHangUpPicture(btnHangUp->Picture());
}

void TfrmNewSMS::DrawBillboard() {
  if (FBillboardDrawn) return;
  FBillboardDrawn = true;
  DrawUpdateBillboard(NetUpdateWizard1->BillBoard(), NetUpdateWizard1->BillBoardWidth(),
                      NetUpdateWizard1->BillBoardHeight(), L"Vantrel update");
}

void TfrmNewSMS::FormCreate(TObject*) {
  String version = GetExeVersionText();
  SetCaption(L"Vantrel - NEW SMS   ver: " + version);
  if (Form1) Form1->SetCaption(L"Vantrel   ver: " + version);
  SetCheckedSilently(CheckBox2, OvFormSR1->ReadRegINI(L"add_clipboard_text", false));
  for (int nr = 1; nr <= 2; ++nr)
    SetPatternTitle(nr, OvFormSR1->ReadRegINI(PatternTitleKey(nr), DefaultPatternTitle(nr)));
  // No link until the first heartbeat answer.
  SetSendColor(LinkLostColor);
  SetCallColor(LinkLostColor);
  SetHangUpColor(LinkLostColor);
  SetLinkButtonsEnabled(Connected);
  PostMessageW(Handle(), WM_AFTER_CREATE, 0, 0);
}

void TfrmNewSMS::PatternMenuPopup(TObject*) {
  if (Form1) Form1->MenuImagesNeeded();
}

void TfrmNewSMS::FormShow(TObject*) { SetActiveControl(ComboBox1->Enabled() ? static_cast<TWinControl*>(Edit2) : Edit1); }

void TfrmNewSMS::FormClose(TObject*, TCloseAction&) { OvFormSR1->SavePos(); }

void TfrmNewSMS::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_AFTER_CREATE) {
    WMAfterCreate();
    return;
  }
  if (Message.Msg == WM_TIMER && Message.WParam == UpdateCheckTimerId) {
    KillTimer(Handle(), UpdateCheckTimerId);
    StartUpdateCheck();
    return;
  }
  TTaskbarForm::Dispatch(Message);
}

void TfrmNewSMS::WMAfterCreate() {
  if (!UpdateChecked) {
    UpdateChecked = true;
    NetUpdate1->SetURL(UpdateControlFileURL);
    // The check waits until the start-up is done: its worker's stack does
    // not weigh on the start, and nothing of it shows before its answer.
    if (!SetTimer(Handle(), UpdateCheckTimerId, UpdateCheckDelayMs, nullptr)) StartUpdateCheck();
  }
  BringToFrontOnce();
}

void TfrmNewSMS::StartUpdateCheck() {
  if (FUpdateCheckStarted) return;
  FUpdateCheckStarted = true;
  // The check runs on a worker of its own: a slow or silent server holds
  // no window.
  NetUpdate1->CheckNewVersionInThread(false, [this](bool Available) { UpdateCheckDone(Available); });
}

void TfrmNewSMS::UpdateCheckDone(bool Available) {
  UpdateAvailable = Available;
  NewVersionInfo = NetUpdate1->NewVersionInfo();
  TAdvOfficeStatusPanel* panel = StatusBar1->Panels()->Items(2);
  if (UpdateAvailable) {
    panel->SetStyle(TAdvOfficeStatusPanelStyle::psHTML);
    panel->SetText(L"<FONT color=\"#2244ff\"><B><blink>Click && get update: ver." + NewVersionInfo +
                   L"</blink></B></font>");
    panel->SetAppearanceStyle(TPanelAppearanceStyle::psDark);
    panel->SetButton(true);
    if (Form1) {
      TTrayIcon* tray = Form1->TrayIcon1;
      tray->SetBalloonTitle(L"Vantrel Update available");
      tray->SetBalloonFlags(TBalloonFlags::bfInfo);
      tray->SetBalloonTimeout(5000);
      tray->SetBalloonHint(L"Your version: " + GetExeVersionText() + L"\r\nNew version: " + NewVersionInfo +
                           L"\r\nClick and downlowad now!");
      tray->ShowBalloonHint();
    }
  } else {
    panel->SetText(L"It's current ver. of Vantrel");
  }
}

void TfrmNewSMS::BringToFrontOnce() {
  SetWindowTopmost(Handle(), true, true);
  if (!OvFormSR1->ReadRegINI(L"allways_on_top", false)) SetWindowTopmost(Handle(), false, true);
}

void TfrmNewSMS::StatusBar1PanelClick(TObject*, int PanelIndex) {
  if (PanelIndex == 2) RunUpdateWizard();
}

void TfrmNewSMS::RunUpdateWizard() {
  if (!UpdateAvailable) return;
  DrawBillboard();
  NetUpdateWizard1->Execute(true);
}

void TfrmNewSMS::NetUpdate1AppRestart(TObject*, bool& Allow) { Allow = true; }

// ---------------------------------------------------------------------------
// Text, count and status

String TfrmNewSMS::GetSmsText() { return SmsTextForSending(Memo1->Text(), CheckBox1->Checked()); }

void TfrmNewSMS::ShowSmsInfo(const String& sms_parts_cnt) {
  SetStatusText(0, SafeDisplayText(SmsInfoText(GetSmsText().size(), sms_parts_cnt), DisplaySingleLine));
}

void TfrmNewSMS::ClearSmsText() {
  Memo1->Clear();
  Memo1->Font()->SetColor(clBlack);
}

void TfrmNewSMS::SetMemoFocus() {
  SetActiveControl(Memo1);
  Memo1->SetColor(FocusedTextColor);
}

TColor TfrmNewSMS::SendColor() const { return btnSend->BackColor(); }
void TfrmNewSMS::SetSendColor(TColor Value) { btnSend->SetBackColor(Value); }
TColor TfrmNewSMS::CallColor() const { return btnCallTo->BackColor(); }
void TfrmNewSMS::SetCallColor(TColor Value) { btnCallTo->SetBackColor(Value); }
TColor TfrmNewSMS::HangUpColor() const { return btnHangUp->BackColor(); }
void TfrmNewSMS::SetHangUpColor(TColor Value) { btnHangUp->SetBackColor(Value); }
bool TfrmNewSMS::LinkButtonsEnabled() const { return btnSend->Enabled(); }

void TfrmNewSMS::SetLinkButtonsEnabled(bool Value) {
  btnSend->SetEnabled(Value);
  btnCallTo->SetEnabled(Value);
  btnHangUp->SetEnabled(Value);
}

void TfrmNewSMS::SetStatusText(int Panel, const String& Text) { StatusBar1->Panels()->Items(Panel)->SetText(Text); }

String TfrmNewSMS::StatusText(int Panel) const { return StatusBar1->Panels()->Items(Panel)->Text(); }

void TfrmNewSMS::Memo1Change(TObject*) {
  Memo1->SetColor(clWhite);
  Memo1->Font()->SetColor(clBlack);
  Restart(Timer4);
}

void TfrmNewSMS::Timer4Timer(TObject*) {
  Timer4->SetEnabled(false);
  String text = GetSmsText();
  if (!Trim(text).empty())
    SendCommand(CmdAnalyzeText + text);
  else
    SetStatusText(0, SmsInfoText(0, L"0"));
}

void TfrmNewSMS::CheckBox1Click(TObject*) {
  if (!Timer4->Enabled()) Timer4->SetEnabled(true);
}

void TfrmNewSMS::SendCommand(const String& Command) {
  if (Form1) Form1->SendToPhone(RemoteIP, Command);
}

// ---------------------------------------------------------------------------
// Buttons

void TfrmNewSMS::btnSendClick(TObject*) {
  String number = Trim(Edit1->Text());
  if (number.empty()) {
    Edit1->SetColor(AttentionColor);
    if (Edit1->CanFocus()) Edit1->SetFocus();
    return;
  }
  String text = GetSmsText();
  if (Trim(text).empty()) {
    Memo1->SetColor(AttentionColor);
    if (Memo1->CanFocus()) Memo1->SetFocus();
    return;
  }
  SetStatusText(1, L"sending...");
  SendCommand(CmdSendSms + number + L"~" + text);
}

void TfrmNewSMS::btnCallToClick(TObject*) {
  String number = Trim(Edit1->Text());
  if (number.empty()) {
    Edit1->SetColor(AttentionColor);
    if (Edit1->CanFocus()) Edit1->SetFocus();
    return;
  }
  SendCommand(CmdCall + number);
  SetStatusText(1, L"calling: " + Edit1->Text());
}

void TfrmNewSMS::btnHangUpClick(TObject*) {
  SetStatusText(1, L"Hang Up call");
  SendCommand(CmdStopCall);
  Edit1->SetColor(clWhite);
}

void TfrmNewSMS::btnClearClick(TObject*) {
  Memo1->Clear();
  if (Memo1->CanFocus()) Memo1->SetFocus();
}

void TfrmNewSMS::btnCallToMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  if (auto* c = dynamic_cast<TControl*>(Sender)) c->SetBounds(c->Left() + 1, c->Top() + 1, c->Width(), c->Height());
}

void TfrmNewSMS::btnCallToMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
  if (auto* c = dynamic_cast<TControl*>(Sender)) c->SetBounds(c->Left() - 1, c->Top() - 1, c->Width(), c->Height());
}

void TfrmNewSMS::CheckBox3Click(TObject*) {
  OvFormSR1->SaveRegINI(L"allways_on_top", CheckBox3->Checked());
  SetWindowTopmost(Handle(), CheckBox3->Checked(), true);
}

void TfrmNewSMS::lbWebMouseEnter(TObject*) {
  lbWeb->Font()->SetColor(kLinkHotColor);
  lbWeb->Font()->SetStyle({TFontStyle::fsUnderline});
}

void TfrmNewSMS::lbWebMouseLeave(TObject*) {
  lbWeb->Font()->SetColor(kLinkColor);
  lbWeb->Font()->SetStyle({});
}

void TfrmNewSMS::lbWebClick(TObject*) { AppShellExecute(Handle(), L"open", ProductWebPage, L"", L"", SW_SHOWNORMAL); }

// ---------------------------------------------------------------------------
// Contact search and number completion

void TfrmNewSMS::SetContactCount(int Count) { lbContactsCount->SetCaption(IntToStr(Count)); }

void TfrmNewSMS::LoadContacts(TStrings* Names, int Selected) {
  // The names as the phone sent them may be anything: the list shows them
  // made safe, in the same order, so that an index still names a number.
  TStringList shown;
  for (int i = 0; i < Names->Count(); ++i) shown.Add(SafeDisplayText(Names->Strings(i), DisplaySingleLine));
  ComboBox1->Items()->Assign(&shown);
  ComboBox1->SetEnabled(ComboBox1->Items()->Count() > 0);
  ComboBox1->SetItemIndex(Selected);
}

String TfrmNewSMS::SelectedContactNumber() {
  int i = ComboBox1->ItemIndex();
  if (i < 0 || !ContactNumbers || i >= ContactNumbers->Count()) return String();
  return ContactNumbers->Strings(i);
}

void TfrmNewSMS::Edit1KeyPress(TObject*, wchar_t& Key) {
  // Digits and backspace; the clipboard keys (Ctrl+C, Ctrl+V, Ctrl+X) keep
  // working, since pasted text is taken as it is.
  bool digit = Key >= L'0' && Key <= L'9';
  bool clipboard = Key == 3 || Key == 22 || Key == 24;
  if (!digit && Key != 8 && !clipboard) Key = 0;
}

void TfrmNewSMS::Edit1Click(TObject*) { Edit1->SelectAll(); }

void TfrmNewSMS::Edit1DblClick(TObject*) { Edit1->SetText(Clipboard()->AsText()); }

void TfrmNewSMS::Edit1Exit(TObject*) { Timer1->SetTag(0); }

void TfrmNewSMS::Edit1Change(TObject*) {
  Timer1->SetTag(1);
  String text = Edit1->Text();
  // A number that is the selected contact's own stays with that contact:
  // another contact whose number merely contains it must not take over, or
  // the completion would put that contact's number in the field.
  bool own = !text.empty() && ComboBox1->ItemIndex() >= 0 && SelectedContactNumber() == text;
  int found = own ? ComboBox1->ItemIndex() : (ContactNumbers ? FindNumberContaining(*ContactNumbers, text) : -1);
  if (found < 0 || found >= ComboBox1->Items()->Count()) {
    Timer3->SetEnabled(false);
    ComboBox1->SetText(L"");
    ComboBox1->SetItemIndex(-1);
  } else {
    ComboBox1->SetItemIndex(found);
    Restart(Timer3);
  }
  Edit1->SetColor(clWhite);
}

void TfrmNewSMS::Timer3Timer(TObject*) {
  Timer3->SetEnabled(false);
  if (ComboBox1->ItemIndex() < 0) return;
  String number = SelectedContactNumber();
  if (number.empty()) return;
  Edit1->SetText(number);
  Edit1->SelectAll();
}

void TfrmNewSMS::ComboBox1Change(TObject*) {
  if (ComboBox1->ItemIndex() >= 0) Edit1->SetText(SelectedContactNumber());
}

void TfrmNewSMS::ComboBox1DblClick(TObject* Sender) {
  ComboBox1Change(Sender);
  if (Memo1->CanFocus()) Memo1->SetFocus();
}

void TfrmNewSMS::Edit2Change(TObject*) {
  String text = Edit2->Text();
  if (text.empty()) {
    ComboBox1->SetColor(clWhite);
    return;
  }
  Timer2->SetEnabled(false);
  int found = FindContaining(*ComboBox1->Items(), text);
  if (found < 0) {
    Timer1->SetTag(0);
    Restart(Timer1);
    ComboBox1->SetColor(AttentionColor);
    return;
  }
  ComboBox1->SetItemIndex(found);
  Edit1->SetText(SelectedContactNumber());
  Timer2->SetEnabled(true);
}

void TfrmNewSMS::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  if (Timer1->Tag() == 1) return;
  Edit1->SetText(L"");
  Edit2->SetText(L"");
  ComboBox1->SetColor(clWhite);
}

void TfrmNewSMS::Timer2Timer(TObject*) {
  Timer2->SetEnabled(false);
  Edit2->SetText(L"");
}

void TfrmNewSMS::Image2Click(TObject*) {
  Edit1->SetText(L"");
  if (Form1) Restart(Form1->Timer1);
  SetStatusText(1, L"querying contacts...");
  if (Form1) Form1->OvUDPS1->UDPServerSendTo(PhoneBroadcastIP, PhonePort, WideToAnsi(CmdGetPhoneIP));
}

// ---------------------------------------------------------------------------
// Patterns

String TfrmNewSMS::PatternTitle(int Nr) const { return (Nr == 1 ? btnPattern1 : btnPattern2)->Caption(); }

void TfrmNewSMS::SetPatternTitle(int Nr, const String& Title) { (Nr == 1 ? btnPattern1 : btnPattern2)->SetCaption(Title); }

void TfrmNewSMS::CheckBox2Click(TObject*) { OvFormSR1->SaveRegINI(L"add_clipboard_text", CheckBox2->Checked()); }

void TfrmNewSMS::PatternClick(int Nr) {
  String pattern = OvFormSR1->ReadRegINI(PatternTextKey(Nr), L"");
  String text = PatternInsertion(pattern, CheckBox2->Checked(),
                                 !pattern.empty() && CheckBox2->Checked() ? Clipboard()->AsText() : String());
  if (text.empty()) return;
  Memo1->SetText(text);
  Memo1->SetSelStart(static_cast<int>(Memo1->Text().size()));
  if (Memo1->CanFocus()) Memo1->SetFocus();
}

void TfrmNewSMS::btnPattern1Click(TObject*) { PatternClick(1); }

void TfrmNewSMS::btnPattern2Click(TObject*) { PatternClick(2); }

void TfrmNewSMS::EditPattern(int Nr) {
  if (!frmSetPattern) return;
  frmSetPattern->Edit1->SetText(OvFormSR1->ReadRegINI(PatternTitleKey(Nr), DefaultPatternTitle(Nr)));
  frmSetPattern->Memo1->SetText(OvFormSR1->ReadRegINI(PatternTextKey(Nr), L""));
  frmSetPattern->pat_nr = Nr;
  frmSetPattern->SetCaption(L"Set Pattern " + IntToStr(Nr));
  frmSetPattern->ShowModal();
}

void TfrmNewSMS::SetPattern1Click(TObject*) { EditPattern(1); }

void TfrmNewSMS::SetPattern2Click(TObject*) { EditPattern(2); }
