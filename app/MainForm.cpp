#include "app/MainForm.h"

#include "app/InBoxForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/OvTools.h"
#include "app/PhoneProtocol.h"
#include "base/Clipboard.h"
#include "base/DisplayText.h"

TForm1* Form1 = nullptr;

String PhoneIP;
String RemoteIP;
bool Connected = false;
int MissCount = 0;
bool PhonebookReceived = false;
TStringList* ContactNames = nullptr;
TStringList* ContactNumbers = nullptr;

namespace {
const wchar_t* const kAutostartName = L"Vantrel";
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  BeginLoading();
  SetName(L"Form1");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons({TBorderIcon::biSystemMenu});
  SetCaption(L"Vantrel");
  SetClientWidth(385);
  SetClientHeight(145);
  SetColor(clWhite);
  SetWindowState(TWindowState::wsMinimized);

  Image1 = new TImage(this);
  Image1->SetName(L"Image1");
  Image1->SetParent(this);
  Image1->SetBounds(0, 8, 128, 128);
  Image1->SetStretch(true);

  Label1 = new TLabel(this);
  Label1->SetName(L"Label1");
  Label1->SetParent(this);
  Label1->SetBounds(136, 12, 60, 23);
  Label1->Font()->SetHeight(-19);
  Label1->Font()->SetColor(clSilver);
  Label1->SetCaption(L"PASS:");

  Edit1 = new TEdit(this);
  Edit1->SetName(L"Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(200, 8, 177, 32);
  Edit1->Font()->SetName(L"Courier New");
  Edit1->Font()->SetHeight(-24);
  Edit1->Font()->SetStyle({TFontStyle::fsBold});
  Edit1->SetReadOnly(true);

  lbPhoneIP = new TLabel(this);
  lbPhoneIP->SetName(L"lbPhoneIP");
  lbPhoneIP->SetParent(this);
  lbPhoneIP->SetBounds(136, 46, 200, 13);
  lbPhoneIP->Font()->SetColor(clSilver);
  lbPhoneIP->SetCaption(L"Phone IP: ");

  Panel1 = new TPanel(this);
  Panel1->SetName(L"Panel1");
  Panel1->SetParent(this);
  Panel1->SetBounds(352, 44, 25, 17);
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  Panel1->SetColor(ServiceInactiveColor);

  Memo1 = new TMemo(this);
  Memo1->SetName(L"Memo1");
  Memo1->SetParent(this);
  Memo1->SetBounds(136, 66, 241, 71);
  Memo1->SetScrollBars(TScrollStyle::ssVertical);
  Memo1->SetReadOnly(true);

  OvUDPS1 = new TOvUDPS(this);
  OvUDPS1->SetName(L"OvUDPS1");
  OvUDPS1->SetUDPBroadcast(true);
  OvUDPS1->SetUDPLocalIP(L"");
  OvUDPS1->OnGetPacketUDP = Bind(this, &TForm1::OvUDPS1GetPacketUDP);
  OvUDPS1->OnUDPStatus = Bind(this, &TForm1::OvUDPS1UDPStatus);

  TrayIcon1 = new TTrayIcon(this);
  TrayIcon1->SetName(L"TrayIcon1");
  TrayIcon1->SetHint(L"Vantrel");
  TrayIcon1->OnClick = Bind(this, &TForm1::TrayIcon1Click);
  TrayIcon1->OnBalloonClick = Bind(this, &TForm1::TrayIcon1BalloonClick);
  TrayIcon1->SetVisible(true);

  OvFormSR1 = new TOvFormSR(this);
  OvFormSR1->SetName(L"OvFormSR1");

  ImageList1 = new TImageList(this);
  ImageList1->SetName(L"ImageList1");

  ofMenuStyler = new TAdvMenuOfficeStyler(this);
  ofMenuStyler->SetName(L"ofMenuStyler");
  ofMenuStyler->SetStyle(TOfficeStyle::osOffice2003Blue);
  ofMenuStyler->SetAutoThemeAdapt(false);
  ofMenuStyler->SetAntiAlias(TAntiAlias::aaNone);
  ofMenuStyler->Background()->SetColor(0xF6F6F6);
  ofMenuStyler->SetMenuBorderColor(0x962D00);
  ofMenuStyler->SelectedItem()->SetBorderColor(clNavy);
  ofMenuStyler->Font()->SetName(L"Segoe UI");

  PopupMenu1 = new TAdvPopupMenu(this);
  PopupMenu1->SetName(L"PopupMenu1");
  PopupMenu1->SetMenuStyler(ofMenuStyler);
  PopupMenu1->SetImages(ImageList1);
  PopupMenu1->OnPopup = Bind(this, &TForm1::PopupMenu1Popup);
  miInfo = AddMenuItem(L"miInfo", L"Vantrel info", 4, nullptr);
  AddMenuItem(L"N1", L"-", -1, nullptr);
  miNewSMS = AddMenuItem(L"miNewSMS", L"NEW SMS", 0, &TForm1::NewSmsClick);
  miOutBox = AddMenuItem(L"miOutBox", L"SMS OUT BOX", 5, &TForm1::OutBoxClick);
  miInBox = AddMenuItem(L"miInBox", L"SMS IN BOX", 8, &TForm1::InBoxClick);
  AddMenuItem(L"N2", L"-", -1, nullptr);
  miShow = AddMenuItem(L"miShow", L"Show main window", 2, &TForm1::ShowMainWindow);
  miHide = AddMenuItem(L"miHide", L"Hide main window", 3, &TForm1::HideMainWindow);
  AddMenuItem(L"N3", L"-", -1, nullptr);
  miAutostart = AddMenuItem(L"miAutostart", L"Start with Windows", -1, &TForm1::AutostartClick);
  miAutostart->SetAutoCheck(true);
  AddMenuItem(L"N4", L"-", -1, nullptr);
  miExit = AddMenuItem(L"miExit", L"EXIT", 1, &TForm1::ExitClick);
  TrayIcon1->SetPopupMenu(PopupMenu1);

  auto makeTimer = [this](const wchar_t* name, unsigned interval, bool enabled, void (TForm1::*handler)(TObject*)) {
    auto* t = new TTimer(this);
    t->SetName(name);
    t->SetEnabled(enabled);
    t->SetInterval(interval);
    t->SetOnTimer(Bind(this, handler));
    return t;
  };
  Timer1 = makeTimer(L"Timer1", 1000, false, &TForm1::Timer1Timer);
  Timer2 = makeTimer(L"Timer2", 500, false, &TForm1::Timer2Timer);
  Timer3 = makeTimer(L"Timer3", 2000, true, &TForm1::Timer3Timer);
  Timer4 = makeTimer(L"Timer4", 3000, false, &TForm1::Timer4Timer);

  OnCreate = Bind(this, &TForm1::FormCreate);
  OnShow = Bind(this, &TForm1::FormShow);
  OnCloseQuery = Bind(this, &TForm1::FormCloseQuery);
  OnClose = Bind(this, &TForm1::FormClose);
  OnDestroy = Bind(this, &TForm1::FormDestroy);
  EndLoading();
}

void TForm1::FormCreate(TObject*) {
  if (!ContactNames) ContactNames = new TStringList();
  if (!ContactNumbers) ContactNumbers = new TStringList();
  PhoneIP = OvFormSR1->ReadRegINI(L"last_remote_ip", L"");
  OvUDPS1->SetUDPLocalIP(OvUDPS1->pcIP());
  OvUDPS1->SetUDPLineEndRx(L"");
  OvUDPS1->SetUDPLineEndTx(L"");
  OvUDPS1->SetUDPRxPort(PhoneLinkRxPort);
  OvUDPS1->SetUDPTxPort(PhoneLinkTxPort);
  OvUDPS1->SetUDPActive(true);
  lbPhoneIP->SetCaption(L"Phone IP: " + PhoneIP);
  // The check mark shows the stored value; the tag keeps the click handler
  // from writing it back.
  miAutostart->SetTag(1);
  miAutostart->SetChecked(IsAutostartSet(kAutostartName));
  miAutostart->SetTag(0);
}

TMenuItem* TForm1::AddMenuItem(const wchar_t* Name, const wchar_t* Caption, int ImageIndex,
                               void (TForm1::*Handler)(TObject*)) {
  auto* item = new TMenuItem(this);
  item->SetName(Name);
  item->SetCaption(Caption);
  item->SetImageIndex(ImageIndex);
  if (Handler) item->OnClick = Bind(this, Handler);
  PopupMenu1->Items()->Add(item);
  return item;
}

// The menu's pictures, 16 x 16, drawn here: new message, exit, show, hide,
// info, out box, (two unused), in box.
void TForm1::FillImageList() {
  const TColor mask = 0xFF00FF;
  for (int index = 0; index < 9; ++index) {
    TBitmap bmp(16, 16, TPixelFormat::pf24bit);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(mask);
    c->FillRect(TRect(0, 0, 16, 16));
    c->Pen()->SetColor(0x404040);
    switch (index) {
      case 0:  // an envelope
      case 5:  // out box: an envelope with an arrow up
      case 8:  // in box: an envelope with an arrow down
        c->Brush()->SetColor(index == 0 ? 0xFFFFFF : index == 5 ? 0xC0FFC0 : 0xFFE0C0);
        c->Rectangle(1, 4, 15, 13);
        c->MoveTo(1, 4);
        c->LineTo(8, 9);
        c->LineTo(15, 3);
        if (index != 0) {
          c->Pen()->SetColor(index == 5 ? 0x00A000 : 0xC06000);
          c->MoveTo(12, index == 5 ? 0 : 3);
          c->LineTo(12, index == 5 ? 4 : 7);
        }
        break;
      case 1:  // exit: a red cross
        c->Pen()->SetColor(0x0000D0);
        c->Pen()->SetWidth(2);
        c->MoveTo(3, 3);
        c->LineTo(13, 13);
        c->MoveTo(13, 3);
        c->LineTo(3, 13);
        break;
      case 2:  // show: a window
      case 3:  // hide: a window bar
        c->Brush()->SetColor(0xFFFFFF);
        c->Rectangle(1, 2, 15, index == 2 ? 14 : 6);
        c->Brush()->SetColor(0xC08040);
        c->FillRect(TRect(2, 3, 14, 5));
        break;
      case 4:  // info: a blue disc
        c->Brush()->SetColor(0xD07020);
        c->Pen()->SetColor(0xD07020);
        c->Ellipse(1, 1, 15, 15);
        c->Brush()->SetColor(0xFFFFFF);
        c->FillRect(TRect(7, 7, 9, 12));
        c->FillRect(TRect(7, 4, 9, 6));
        break;
      default:
        break;
    }
    ImageList1->AddMasked(&bmp, mask);
  }
}

void TForm1::AutostartClick(TObject*) {
  if (miAutostart->Tag() != 0) return;
  bool set = IsAutostartSet(kAutostartName);
  if (miAutostart->Checked() && !set) SetAutostart(kAutostartName, Application->ExeName());
  else if (!miAutostart->Checked() && set) RemoveAutostart(kAutostartName);
}

void TForm1::FormDestroy(TObject*) {
  FreeAndNil(ContactNames);
  FreeAndNil(ContactNumbers);
}

void TForm1::FormShow(TObject*) {
  // The show at start is answered by hiding the window again, unseen: the
  // picture waits for a show that stays.
  if (FirstShowDone) LoadPicture();
  PostMessageW(Handle(), WM_HIDE_ON_FIRST_SHOW, 0, 0);
}

void TForm1::LoadPicture() {
  if (FPictureLoaded) return;
  FPictureLoaded = true;
  if (HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 128, 128, 0))) {
    TIcon picture;
    picture.SetHandle(icon);
    Image1->Picture()->SetGraphic(&picture);
  }
}

void TForm1::MakeControlWindows() {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* c = dynamic_cast<TWinControl*>(Controls(i))) c->HandleNeeded();
}

void TForm1::MenuImagesNeeded() {
  if (FMenuImagesDrawn) return;
  FMenuImagesDrawn = true;
  FillImageList();
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  if (ExitRequested) return;
  OvFormSR1->SavePos();
  Hide();
  CanClose = false;
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  // Each of these hides itself and saves its position in its own handler.
  if (frmSmsInBox) frmSmsInBox->Close();
  if (frmNewSMS) frmNewSMS->Close();
  if (frmSMSOutBox) frmSMSOutBox->Close();
  // Before any phone has answered there is no address to keep; the one
  // stored from an earlier run stays.
  if (!RemoteIP.empty()) OvFormSR1->SaveRegINI(L"last_remote_ip", RemoteIP);
}

void TForm1::ExitProgram() {
  ExitRequested = true;
  if (frmSMSOutBox) frmSMSOutBox->OvFormSR1->SavePos();
  if (frmSmsInBox) frmSmsInBox->OvFormSR1->SavePos();
  if (frmNewSMS) frmNewSMS->OvFormSR1->SavePos();
  Close();
}

void TForm1::NewSmsClick(TObject*) {
  if (frmNewSMS) frmNewSMS->Show();
}

namespace {
// Brings a window back from hidden or minimized and shows it.
void ShowRestored(TCustomForm* Form) {
  if (!Form) return;
  if (!Form->Visible() || Form->WindowState() == TWindowState::wsMinimized ||
      (Form->HandleAllocated() && IsIconic(Form->Handle())))
    Form->SetWindowState(TWindowState::wsNormal);
  Form->Show();
}
}  // namespace

void TForm1::OutBoxClick(TObject*) { ShowRestored(frmSMSOutBox); }

void TForm1::InBoxClick(TObject*) { ShowRestored(frmSmsInBox); }

void TForm1::ShowMainWindow(TObject*) {
  SetWindowState(TWindowState::wsNormal);
  OvFormSR1->RestorePos();
  FirstShowDone = true;
  Show();
}

void TForm1::HideMainWindow(TObject*) {
  OvFormSR1->SavePos();
  Hide();
}

void TForm1::FlashAttention(HWND Wnd) {
  FLastFlashed = Wnd;
  FLASHWINFO fi{sizeof(fi)};
  fi.hwnd = Wnd;
  fi.dwFlags = FLASHW_ALL;
  fi.uCount = 11;
  fi.dwTimeout = 100;
  FlashWindowEx(&fi);
}

void TForm1::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HIDE_ON_FIRST_SHOW:
      if (!FirstShowDone) {
        FirstShowDone = true;
        Hide();
        // Nobody sees the controls yet; their windows wait until the start
        // is over, and are then made for the programs that read them.
        if (!SetTimer(Handle(), ControlsTimerId, ControlsDelayMs, nullptr)) MakeControlWindows();
      }
      return;
    case WM_TIMER:
      if (Message.WParam != ControlsTimerId) break;
      KillTimer(Handle(), ControlsTimerId);
      MakeControlWindows();
      return;
    case WM_QUERYENDSESSION:
      // The session may end; so does the program.
      Message.Result = 1;
      ExitRequested = true;
      Close();
      return;
    default:
      TForm::Dispatch(Message);
  }
}

// ---------------------------------------------------------------------------
// The link

void TForm1::SendToPhone(const String& IP, const String& Command) {
  if (IP.empty()) return;
  OvUDPS1->UDPServerSendTo(IP, PhonePort, WideToAnsi(Command));
}

void TForm1::Rearm(TTimer* Timer) {
  Timer->SetEnabled(false);
  Timer->SetEnabled(true);
}

void TForm1::OvUDPS1UDPStatus(TObject*, bool Active, int, const String&) {
  if (Active) {
    Panel1->SetColor(ServiceActiveColor);
    Rearm(Timer2);
    Memo1->SetText(Memo1->Text() + L"Local IP: " + OvUDPS1->pcIP() + L"\r\n");
  } else {
    Panel1->SetColor(ServiceInactiveColor);
    Close();
  }
}

// Contact query: once, a second after it was armed.
void TForm1::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  if (frmNewSMS) frmNewSMS->SetStatusText(1, L"querying contacts...");
  SendToPhone(PhoneIP, CmdGetContacts);
}

// Discovery: once, half a second after the service came up.
void TForm1::Timer2Timer(TObject*) {
  Timer2->SetEnabled(false);
  OvUDPS1->UDPServerSendTo(PhoneBroadcastIP, PhonePort, WideToAnsi(CmdGetPhoneIP));
}

// Heartbeat; until a phone book has arrived it asks for one too.
void TForm1::Timer3Timer(TObject*) {
  SendToPhone(PhoneIP, CmdHeart);
  if (!PhonebookReceived) {
    if (frmNewSMS) frmNewSMS->SetStatusText(1, L"phone querying");
    Timer1->SetEnabled(true);
  }
}

// Link watchdog: every tick without a heartbeat answer is a miss; after four
// the link counts as lost.
void TForm1::Timer4Timer(TObject*) {
  Connected = false;
  ++MissCount;
  if (MissCount >= 4 && frmNewSMS) {
    frmNewSMS->SetSendColor(LinkLostColor);
    frmNewSMS->SetCallColor(LinkLostColor);
    frmNewSMS->SetHangUpColor(LinkLostColor);
    frmNewSMS->SetLinkButtonsEnabled(Connected);
  }
}

void TForm1::TypePasscode(const String& Code) {
  if (Code.size() > MaxTypedPasscode) return;
  for (const TKeyStroke& k : PasscodeKeyStrokes(Code)) SendKeyStroke(k.Key, k.Shift, false);
}

void TForm1::OvUDPS1GetPacketUDP(TObject*, const String& PacketUDP, const String&, const String& PeerIP,
                                 const String&, String& Response) {
  using K = TPhoneCommandKind;
  MissCount = 0;
  bool accept = frmSmsInBox && frmSmsInBox->AcceptIncoming();
  TPhoneCommand cmd = ParsePhoneCommand(PacketUDP, accept);
  switch (cmd.Kind) {
    case K::pcPartsCount:
      if (frmNewSMS) frmNewSMS->ShowSmsInfo(cmd.Field(0));
      break;
    case K::pcSendStatus:
      if (frmSMSOutBox) frmSMSOutBox->SetSMSStatus(cmd.Field(0), cmd.Field(1), cmd.Field(2), cmd.Field(3));
      break;
    case K::pcDelivered:
      if (frmSMSOutBox) frmSMSOutBox->SetSMSReport(cmd.Field(0), cmd.Field(1));
      break;
    case K::pcNewSms:
      frmSmsInBox->AddSMS(cmd.Field(0), cmd.Field(1));
      frmSmsInBox->ShowNoActivate();
      FlashAttention(frmSmsInBox->Handle());
      SetWindowTopmost(frmSmsInBox->Handle(), true, false);
      SetWindowTopmost(frmSmsInBox->Handle(), false, false);
      break;
    case K::pcSendOk:
      if (frmNewSMS) {
        frmNewSMS->SetStatusText(1, L"SMS send OK");
        frmNewSMS->ClearSmsText();
        frmNewSMS->SetSendColor(SentColor);
      }
      if (frmSMSOutBox) {
        frmSMSOutBox->AddSMS(cmd.Field(0), cmd.Field(3), cmd.Field(1), cmd.Field(2));
        frmSMSOutBox->ShowNoActivate();
        SetWindowTopmost(frmSMSOutBox->Handle(), true, false);
        SetWindowTopmost(frmSMSOutBox->Handle(), false, false);
      }
      break;
    case K::pcPhoneIP:
      if (RemoteIP != PhoneIP || PhoneIP.empty()) {
        RemoteIP = PeerIP;
        PhoneIP = PeerIP;
        OvFormSR1->SaveRegINI(L"last_remote_ip", RemoteIP);
        lbPhoneIP->SetCaption(L"Phone IP: " + PhoneIP);
        Rearm(Timer1);
      }
      break;
    case K::pcNewContacts:
      ContactNames->Clear();
      ContactNumbers->Clear();
      break;
    case K::pcHeart:
      Connected = true;
      Rearm(Timer4);
      if (frmNewSMS && frmNewSMS->SendColor() != LinkSendColor) {
        frmNewSMS->SetSendColor(LinkSendColor);
        frmNewSMS->SetCallColor(LinkCallColor);
        frmNewSMS->SetHangUpColor(LinkHangUpColor);
        frmNewSMS->SetLinkButtonsEnabled(Connected);
      }
      Response = ReplyHeart;
      RemoteIP = PeerIP;
      PhoneIP = PeerIP;
      break;
    case K::pcGetIP:
      Response = String(ReplyGetIP) + OvUDPS1->pcIP() + L"," + OvUDPS1->pcName();
      break;
    case K::pcPass: {
      String code = Trim(cmd.Field(0));
      if (code.empty()) break;
      TypePasscode(code);
      Clipboard()->SetAsText(code);
      Edit1->SetText(SafeDisplayText(Clipboard()->AsText(), DisplaySingleLine));
      if (!Visible()) {
        TrayIcon1->SetBalloonTitle(L"SMS Code ( copied to clipboard )");
        TrayIcon1->SetBalloonHint(SafeDisplayText(code, DisplaySingleLine));
        TrayIcon1->SetBalloonFlags(TBalloonFlags::bfInfo);
        TrayIcon1->SetBalloonTimeout(8000);
        TrayIcon1->ShowBalloonHint();
      }
      break;
    }
    case K::pcContact:
      RemoteIP = PeerIP;
      PhoneIP = PeerIP;
      for (const TPhoneContact& c : ParseContacts(cmd.Field(0))) {
        ContactNames->Add(c.Name);
        ContactNumbers->Add(c.Number);
      }
      if (frmNewSMS) frmNewSMS->SetContactCount(ContactNames->Count());
      break;
    case K::pcContactEnd: {
      PhonebookReceived = true;
      if (frmNewSMS) {
        frmNewSMS->SetStatusText(1, L"Phonebook received");
        std::vector<String> numbers;
        for (int i = 0; i < ContactNumbers->Count(); ++i) numbers.push_back(ContactNumbers->Strings(i));
        frmNewSMS->LoadContacts(ContactNames, PickContact(numbers, frmNewSMS->NumberText()));
      }
      break;
    }
    case K::pcOther:
      Memo1->SetText(SafeDisplayText(PacketUDP, DisplayTextPanel));
      break;
  }
  lbPhoneIP->SetCaption(RemoteIP);
}

// ---------------------------------------------------------------------------
// Tray

void TForm1::TrayIcon1Click(TObject*) {
  if (!frmNewSMS) return;
  HWND h = frmNewSMS->Handle();
  if (frmNewSMS->Visible() && !IsIconic(h)) {
    frmNewSMS->Close();
    frmNewSMS->OvFormSR1->SavePos();
    return;
  }
  frmNewSMS->OvFormSR1->RestorePos();
  frmNewSMS->Show();
  frmNewSMS->SetWindowState(TWindowState::wsNormal);
  SetWindowTopmost(h, true, true);
  bool onTop = OvFormSR1->ReadRegINI(L"allways_on_top", false);
  if (!onTop) SetWindowTopmost(h, false, true);
  SetCheckedSilently(frmNewSMS->CheckBox3, onTop);
  SetForegroundWindow(h);
}

void TForm1::TrayIcon1BalloonClick(TObject*) {
  if (frmNewSMS) frmNewSMS->RunUpdateWizard();
}
