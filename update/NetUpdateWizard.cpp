#include "update/NetUpdateWizard.h"

#include <cmath>
#include <memory>

#include "base/Button.h"
#include "base/CheckListBox.h"
#include "base/Dialogs.h"
#include "base/FormatSettings.h"
#include "base/Image.h"
#include "base/Menus.h"
#include "base/PageControl.h"
#include "base/ProgressBar.h"
#include "base/RadioButton.h"
#include "base/RichEdit.h"
#include "base/Shape.h"
#include "base/Shell.h"
#include "base/StdCtrls.h"
#include "update/UpdateDialogs.h"

namespace {

constexpr int kButtonLeft = 224, kButtonTop = 224, kButtonWidth = 91, kButtonHeight = 25;

TTabSheet* AddPage(TWUWIZ* Form, TPageControl* Pages, const wchar_t* Name) {
  auto* page = new TTabSheet(Form);
  page->SetName(Name);
  page->SetPageControl(Pages);
  page->SetTabVisible(false);
  return page;
}

TLabel* AddLabel(TWUWIZ* Form, TWinControl* Parent, const wchar_t* Name, const wchar_t* Caption, int L, int T) {
  auto* label = new TLabel(Form);
  label->SetName(Name);
  label->SetParent(Parent);
  label->SetLeft(L);
  label->SetTop(T);
  label->SetCaption(Caption);
  return label;
}

TButton* AddButton(TWUWIZ* Form, TWinControl* Parent, const wchar_t* Name, const wchar_t* Caption,
                   void (TWUWIZ::*Handler)(TObject*)) {
  auto* b = new TButton(Form);
  b->SetName(Name);
  b->SetParent(Parent);
  b->SetBounds(kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight);
  b->SetCaption(Caption);
  b->OnClick = Bind(Form, Handler);
  return b;
}

TProgressBar* AddBar(TWUWIZ* Form, TWinControl* Parent, const wchar_t* Name, int Top) {
  auto* bar = new TProgressBar(Form);
  bar->SetName(Name);
  bar->SetParent(Parent);
  bar->SetBounds(8, Top, 305, 17);
  bar->SetSmooth(true);
  return bar;
}

TPopupMenu* AddViewMenu(TWUWIZ* Form, const wchar_t* Name, const wchar_t* ItemName, TMenuItem*& Item,
                        void (TWUWIZ::*Handler)(TObject*)) {
  auto* menu = new TPopupMenu(Form);
  menu->SetName(Name);
  Item = new TMenuItem(Form);
  Item->SetName(ItemName);
  Item->SetCaption(L"View in Notepad");
  Item->OnClick = Bind(Form, Handler);
  menu->Items()->Add(Item);
  return menu;
}

void Focus(TWinControl* Control) {
  if (Control->CanFocus()) Control->SetFocus();
}

// A download stream rewritten from lines that an event may have changed.
void RewriteFromLines(TMemoryStream* Stream, TStrings* Lines) {
  Stream->Clear();
  Lines->SaveToStream(Stream);
  Stream->SetPosition(0);
}

}  // namespace

// ---------------------------------------------------------------------------
// TWUWIZ

TWUWIZ::TWUWIZ(TComponent* AOwner) : TForm(AOwner) {
  BeginLoading();
  SetName(L"WUWIZ");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(474);
  SetClientHeight(284);
  Font()->SetName(L"Verdana");

  Shape1 = new TShape(this);
  Shape1->SetName(L"Shape1");
  Shape1->SetParent(this);
  Shape1->SetBounds(2, 1, 471, 281);
  Shape1->Brush()->SetColor(clBtnFace);
  BillBoard = new TImage(this);
  BillBoard->SetName(L"BillBoard");
  BillBoard->SetParent(this);
  BillBoard->SetBounds(9, 27, 116, 201);
  PageControl1 = new TPageControl(this);
  PageControl1->SetName(L"PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetBounds(136, 8, 329, 265);
  PageControl1->SetStyle(TTabStyle::tsFlatButtons);

  WelcomePage = AddPage(this, PageControl1, L"WelcomePage");
  VersionPage = AddPage(this, PageControl1, L"VersionPage");
  WhatsNewPage = AddPage(this, PageControl1, L"WhatsNewPage");
  DownloadPage = AddPage(this, PageControl1, L"DownloadPage");
  EULAPage = AddPage(this, PageControl1, L"EULAPage");
  FilesPage = AddPage(this, PageControl1, L"FilesPage");
  CompletedPage = AddPage(this, PageControl1, L"CompletedPage");

  WelcomeLabel = AddLabel(this, WelcomePage, L"WelcomeLabel",
                          L"Press start to start checking for available application updates ...", 8, 16);
  WelcomeLabel->SetAutoSize(false);
  WelcomeLabel->SetBounds(8, 16, 305, 60);
  WelcomeLabel->SetWordWrap(true);
  StartButton = AddButton(this, WelcomePage, L"StartButton", L"Start", &TWUWIZ::StartButtonClick);

  VersionInfoLabel = AddLabel(this, VersionPage, L"VersionInfoLabel", L"", 8, 16);
  VersionInfoLabel->SetAutoSize(false);
  VersionInfoLabel->SetBounds(8, 16, 305, 85);
  VersionInfoLabel->SetWordWrap(true);
  ControlButton = AddButton(this, VersionPage, L"ControlButton", L"Get update", &TWUWIZ::ControlButtonClick);
  ControlButton->SetEnabled(false);

  WhatsNewPopupMenu = AddViewMenu(this, L"WhatsNewPopupMenu", L"ViewinNotepad1", ViewinNotepad1,
                                  &TWUWIZ::ViewinNotepad1Click);
  EULAPopupMenu = AddViewMenu(this, L"EULAPopupMenu", L"ViewinNotepad2", ViewinNotepad2,
                              &TWUWIZ::ViewinNotepad2Click);

  WhatsNewLabel = AddLabel(this, WhatsNewPage, L"WhatsNewLabel", L"What's new :", 8, 8);
  WhatsNewMemo = new TMemo(this);
  WhatsNewMemo->SetName(L"WhatsNewMemo");
  WhatsNewMemo->SetParent(WhatsNewPage);
  WhatsNewMemo->SetBounds(8, 28, 305, 185);
  WhatsNewMemo->SetReadOnly(true);
  WhatsNewMemo->SetWordWrap(false);
  WhatsNewMemo->SetScrollBars(TScrollStyle::ssBoth);
  WhatsNewMemo->SetPopupMenu(WhatsNewPopupMenu);
  WhatsNewRichEdit = new TRichEdit(this);
  WhatsNewRichEdit->SetName(L"WhatsNewRichEdit");
  WhatsNewRichEdit->SetParent(WhatsNewPage);
  WhatsNewRichEdit->SetBounds(8, 28, 305, 185);
  WhatsNewRichEdit->SetReadOnly(true);
  WhatsNewRichEdit->SetScrollBars(TScrollStyle::ssVertical);
  WhatsNewRichEdit->SetVisible(false);
  NewButton = AddButton(this, WhatsNewPage, L"NewButton", L"Next", &TWUWIZ::NewButtonClick);

  DownloadingLabel = AddLabel(this, DownloadPage, L"DownloadingLabel", L"Downloading files :", 8, 16);
  FileLabel = AddLabel(this, DownloadPage, L"FileLabel", L"", 8, 40);
  FileLabel->SetAutoSize(false);
  FileLabel->SetBounds(8, 40, 305, 17);
  CurrentProgressLabel = AddLabel(this, DownloadPage, L"CurrentProgressLabel", L"Current file progress :", 8, 72);
  FileProgress = AddBar(this, DownloadPage, L"FileProgress", 92);
  TotalProgressLabel = AddLabel(this, DownloadPage, L"TotalProgressLabel", L"Total progress :", 8, 128);
  TotalProgress = AddBar(this, DownloadPage, L"TotalProgress", 148);
  CancelButton = AddButton(this, DownloadPage, L"CancelButton", L"Cancel", &TWUWIZ::CancelButtonClick);

  EULALabel = AddLabel(this, EULAPage, L"EULALabel", L"License agreement :", 8, 8);
  EULAMemo = new TMemo(this);
  EULAMemo->SetName(L"EULAMemo");
  EULAMemo->SetParent(EULAPage);
  EULAMemo->SetBounds(8, 28, 305, 145);
  EULAMemo->SetReadOnly(true);
  EULAMemo->SetScrollBars(TScrollStyle::ssVertical);
  EULAMemo->SetPopupMenu(EULAPopupMenu);
  EULARichEdit = new TRichEdit(this);
  EULARichEdit->SetName(L"EULARichEdit");
  EULARichEdit->SetParent(EULAPage);
  EULARichEdit->SetBounds(8, 28, 305, 145);
  EULARichEdit->SetReadOnly(true);
  EULARichEdit->SetScrollBars(TScrollStyle::ssVertical);
  EULARichEdit->SetVisible(false);
  RAccept = new TRadioButton(this);
  RAccept->SetName(L"RAccept");
  RAccept->SetParent(EULAPage);
  RAccept->SetBounds(8, 180, 200, 17);
  RAccept->SetCaption(L"I Accept");
  RAccept->OnClick = Bind(this, &TWUWIZ::RAcceptClick);
  RNoAccept = new TRadioButton(this);
  RNoAccept->SetName(L"RNoAccept");
  RNoAccept->SetParent(EULAPage);
  RNoAccept->SetBounds(8, 200, 200, 17);
  RNoAccept->SetCaption(L"I do not accept");
  RNoAccept->OnClick = Bind(this, &TWUWIZ::RAcceptClick);
  EULAButton = AddButton(this, EULAPage, L"EULAButton", L"Next", &TWUWIZ::EULAButtonClick);
  EULAButton->SetEnabled(false);

  FilesLabel = AddLabel(this, FilesPage, L"FilesLabel", L"Available application components :", 8, 8);
  CheckListBox1 = new TCheckListBox(this);
  CheckListBox1->SetName(L"CheckListBox1");
  CheckListBox1->SetParent(FilesPage);
  CheckListBox1->SetBounds(8, 28, 305, 185);
  FilesButton = AddButton(this, FilesPage, L"FilesButton", L"Next", &TWUWIZ::FilesButtonClick);

  CompletedLabel = AddLabel(this, CompletedPage, L"CompletedLabel", L"Update completed ...", 8, 16);
  Label8 = AddLabel(this, CompletedPage, L"Label8", L"Press restart to start the updated application.", 8, 48);
  Label8->SetAutoSize(false);
  Label8->SetBounds(8, 48, 305, 40);
  Label8->SetWordWrap(true);
  RestartButton = AddButton(this, CompletedPage, L"RestartButton", L"Restart", &TWUWIZ::RestartButtonClick);

  OnCreate = Bind(this, &TWUWIZ::FormCreate);
  OnActivate = Bind(this, &TWUWIZ::FormActivate);
  OnCloseQuery = Bind(this, &TWUWIZ::FormCloseQuery);
  EndLoading();
}

void TWUWIZ::SetNetUpdate(TNetUpdate* Value) {
  FNetUpdate = Value;
  if (!Value) return;
  Value->OnFileProgress = Bind(this, &TWUWIZ::NetUpdateFileProgress);
  Value->OnProgressCancel = Bind(this, &TWUWIZ::NetUpdateCancel);
  FCancelled = false;
}

void TWUWIZ::ShowPage(TTabSheet* Page) {
  PageControl1->SetActivePage(Page);
  Page->Update();
}

void TWUWIZ::FormCreate(TObject*) { ShowPage(WelcomePage); }

namespace {
// Posted to the wizard by its first activation: the check starts once the
// modal loop runs, so that a run that closes the window ends that loop.
constexpr UINT WM_WIZARD_AUTOSTART = WM_USER + 0x57;
}  // namespace

void TWUWIZ::FormActivate(TObject*) {
  Focus(StartButton);
  if (!FAutoStart || FStarted) return;
  FStarted = true;
  PostMessageW(Handle(), WM_WIZARD_AUTOSTART, 0, 0);
}

void TWUWIZ::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_WIZARD_AUTOSTART) {
    ShowPage(VersionPage);
    if (AutoRunPause()) StartButtonClick(StartButton);
    return;
  }
  TForm::Dispatch(Message);
}

void TWUWIZ::FormCloseQuery(TObject*, bool& CanClose) {
  if (!FDone && FNetUpdate) {
    FDone = true;
    FNetUpdate->StopConnection();
  }
  CanClose = true;
}

void TWUWIZ::UpdateDone() {
  if (!FDone && FNetUpdate) {
    FDone = true;
    FNetUpdate->StopConnection();
  }
  Close();
}

void TWUWIZ::FitButton(TButton* Button) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Button->Font()->Handle());
  String caption = Button->Caption();
  SIZE size{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int width = std::max<int>(Button->Width(), size.cx + 16);
  int right = Button->Left() + Button->Width();
  Button->SetBounds(right - width, Button->Top(), width, Button->Height());
}

bool TWUWIZ::AutoRunPause() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 350) {
    Application->ProcessMessages();
    if (!Running()) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return Running();
}

bool TWUWIZ::Running() { return Showing() && ModalResult() == mrNone && !FDone; }

void TWUWIZ::StartButtonClick(TObject*) {
  Screen->SetCursor(crHourGlass);
  StartButton->SetEnabled(false);
  ControlButton->SetEnabled(false);
  ViewinNotepad1->SetCaption(StrWhatsNewPopup);
  ViewinNotepad2->SetCaption(StrLicensePopup);
  FDone = false;
  if (FNetUpdate->StartConnection() != 0) {
    Screen->SetCursor(crDefault);
    UpdateDone();
    StartButton->SetEnabled(true);
    return;
  }
  Screen->SetCursor(crDefault);
  if (FNetUpdate->UpdateType() == TNetUpdateType::ftpUpdate) FNetUpdate->FTPConnect();
  FNetUpdate->SetUpdateUpdate(TNetUpdateUpdate::wuuSilent);
  if (FNetUpdate->GetControlFile() != 0) {
    ShowPage(VersionPage);
    VersionInfoLabel->SetCaption(StrCannotConnect + L"\r" + StrNoUpdate);
    ControlButton->SetCaption(StrExit);
  } else {
    StartButton->SetEnabled(true);
    ShowPage(VersionPage);
    ControlButton->SetEnabled(true);
    int r = FNetUpdate->DoVersionCheck();
    String text;
    if (r == VersionCheckResult::NewerByDate) {
      text = StrNewFound + L" :\r";
      if (FNetUpdate->CurVersionDate() != EncodeDate(1980, 1, 1))
        text += StrCurVersion + L" : " + FormatDateTime(FormatSettings().ShortDateFormat, FNetUpdate->CurVersionDate());
      TDateTime d = FNetUpdate->NewVersionDate();
      text += L"\r" + StrNewVersion + L" : " + FormatDateTime(FormatSettings().ShortDateFormat, d);
      if (d != std::floor(d)) text += L" " + FormatDateTime(FormatSettings().LongTimeFormat, d);
      text += L"\r\r" + FNetUpdate->UpdateDescription();
    } else if (r == VersionCheckResult::NothingNew) {
      text = StrNoNewVersion;
    } else if (r == VersionCheckResult::NewerByVersion) {
      text = StrNewFound + L" :\r" + StrCurVersion + L" : " + FNetUpdate->CurVersionInfo() + L"\r" + StrNewVersion +
             L" : " + FNetUpdate->NewVersionInfo() + L"\r\r" + FNetUpdate->UpdateDescription();
    } else {
      text = StrUCNewVersion;
    }
    VersionInfoLabel->SetCaption(text);
    ControlButton->SetCaption(r == VersionCheckResult::NothingNew ? StrExit : StrGetUpdate);
  }
  VersionInfoLabel->SetWidth(300);
  FitButton(ControlButton);
  ControlButton->SetEnabled(true);
  Focus(ControlButton);
  if (FAutoRun && AutoRunPause()) ControlButtonClick(ControlButton);
}

void TWUWIZ::ControlButtonClick(TObject*) {
  ControlButton->SetEnabled(false);
  if (ControlButton->Caption() == StrExit) {
    UpdateDone();
    return;
  }
  if (FNetUpdate->HandleActions() != 0) {
    UpdateDone();
    return;
  }
  std::unique_ptr<TMemoryStream> whatsNew(FNetUpdate->GetWhatsNewStream());
  if (whatsNew && whatsNew->Size() >= 1) {
    int res = 1;
    bool rtf = IsRtfText(whatsNew.get());
    if (!rtf) {
      TStringList lines;
      lines.LoadFromStream(whatsNew.get());
      if (FNetUpdate->OnDownloadedWhatsNew) FNetUpdate->OnDownloadedWhatsNew(FNetUpdate, &lines, res);
      RewriteFromLines(whatsNew.get(), &lines);
    }
    if (res == 1) {
      if (rtf) {
        WhatsNewMemo->SetVisible(false);
        WhatsNewRichEdit->SetVisible(true);
        WhatsNewRichEdit->Lines()->LoadFromStream(whatsNew.get());
      } else {
        WhatsNewRichEdit->SetVisible(false);
        WhatsNewMemo->SetVisible(true);
        TStringList lines;
        lines.LoadFromStream(whatsNew.get());
        WhatsNewMemo->SetText(lines.Text());
      }
      ShowPage(WhatsNewPage);
      NewButton->SetEnabled(true);
      Focus(NewButton);
      if (FAutoRun && AutoRunPause()) NewButtonClick(NewButton);
      return;
    }
  }
  std::unique_ptr<TMemoryStream> eula(FNetUpdate->GetEULAStream());
  if (eula && eula->Size() >= 1) {
    ShowLicence(eula.get(), true);
    return;
  }
  FNetUpdate->GetFileDetails();
  FNetUpdate->ProcessFileDetails();
  ListFiles(L"Application", false);
  CheckFileCount();
}

void TWUWIZ::ShowLicence(TMemoryStream* Text, bool FromEvent) {
  if (IsRtfText(Text)) {
    EULAMemo->SetVisible(false);
    EULARichEdit->SetVisible(true);
    EULARichEdit->Lines()->LoadFromStream(Text);
  } else {
    TStringList lines;
    lines.LoadFromStream(Text);
    if (FromEvent && FNetUpdate->OnDownloadedEULA) {
      int res = 4;
      FNetUpdate->OnDownloadedEULA(FNetUpdate, &lines, res);
      RewriteFromLines(Text, &lines);
    }
    EULARichEdit->SetVisible(false);
    EULAMemo->SetVisible(true);
    EULAMemo->SetText(lines.Text());
  }
  ShowPage(EULAPage);
  if (FAutoRun) {
    EULAButton->SetEnabled(true);
    EULAButton->SetCaption(StrNext);
    FitButton(EULAButton);
    if (AutoRunPause()) EULAButtonClick(EULAButton);
  }
}

void TWUWIZ::NewButtonClick(TObject*) {
  std::unique_ptr<TMemoryStream> eula(FNetUpdate->GetEULAStream());
  if (eula && eula->Size() >= 1) {
    ShowLicence(eula.get(), false);
    return;
  }
  FNetUpdate->GetFileDetails();
  FNetUpdate->ProcessFileDetails();
  ListFiles(L"", false);
  CheckFileCount();
}

void TWUWIZ::RAcceptClick(TObject*) {
  if (RAccept->Checked())
    EULAButton->SetCaption(StrNext);
  else if (RNoAccept->Checked())
    EULAButton->SetCaption(StrExit);
  EULAButton->SetEnabled(true);
  FitButton(EULAButton);
}

void TWUWIZ::EULAButtonClick(TObject*) {
  if (RAccept->Checked()) {
    FNetUpdate->GetFileDetails();
    FNetUpdate->ProcessFileDetails();
    ListFiles(L"Application", true);
    CheckFileCount();
  } else if (RNoAccept->Checked()) {
    UpdateDone();
  }
}

void TWUWIZ::ListFiles(const String& Default, bool Preselect) {
  CheckListBox1->Items()->Clear();
  TFileList* files = FNetUpdate->FileList();
  for (int i = 0; i < files->Count(); ++i) {
    TFileDescription* f = files->Items(i);
    if (f->Hidden()) continue;
    String text = f->Description().empty() ? Default : f->Description();
    int item = CheckListBox1->Items()->AddObject(text, reinterpret_cast<TObject*>(static_cast<intptr_t>(i)));
    CheckListBox1->SetChecked(item, Preselect ? f->Preselect() || f->Mandatory() : true);
    CheckListBox1->SetItemEnabled(item, !f->Mandatory());
  }
}

void TWUWIZ::ShowFilesPage() {
  ShowPage(FilesPage);
  FilesButton->SetEnabled(true);
  Focus(FilesButton);
  if (FAutoRun && AutoRunPause()) FilesButtonClick(FilesButton);
}

void TWUWIZ::CheckFileCount() {
  if (FNetUpdate->FileList()->Count() == 0) {
    AppMessageBox(StrNoNewFiles, Caption(), MB_OK | MB_ICONINFORMATION);
    UpdateDone();
    return;
  }
  if (CheckListBox1->Items()->Count() > 0)
    ShowFilesPage();
  else
    StartDownloadPage();
}

void TWUWIZ::FilesButtonClick(TObject*) {
  TFileList* files = FNetUpdate->FileList();
  for (int i = 0; i < files->Count(); ++i) files->Items(i)->SetSelected(true);
  for (int item = 0; item < CheckListBox1->Items()->Count(); ++item) {
    int index = static_cast<int>(reinterpret_cast<intptr_t>(CheckListBox1->Items()->Objects(item)));
    if (!CheckListBox1->Checked(item) && index < files->Count()) files->Items(index)->SetSelected(false);
  }
  for (int i = files->Count() - 1; i >= 0; --i)
    if (!files->Items(i)->Selected()) files->Delete(i);
  if (files->Count() == 0) {
    CheckFileCount();
    return;
  }
  StartDownloadPage();
}

void TWUWIZ::StartDownloadPage() {
  FileLabel->SetCaption(L"");
  FileProgress->SetPosition(0);
  TotalProgress->SetPosition(0);
  ShowPage(DownloadPage);
  CancelButton->SetEnabled(true);
  Focus(CancelButton);
  if (FAutoRun) CancelButton->SetEnabled(false);
  Screen->SetCursor(crHourGlass);
  if (FNetUpdate->GetFileUpdates() == -1) {
    Screen->SetCursor(crDefault);
    FNetUpdate->Cancel();
    AppMessageBox(StrFailedDownload, Caption(), MB_OK | MB_ICONERROR);
  }
  FNetUpdate->UpdateActions();
  Screen->SetCursor(crDefault);
  if (FNetUpdate->Cancelled()) {
    UpdateDone();
    return;
  }
  FDone = true;
  FNetUpdate->StopConnection();
  if (FNetUpdate->OnSuccess) FNetUpdate->OnSuccess(FNetUpdate);
  bool restart = FNetUpdate->AppNeedsRestart();
  bool silent = FNetUpdate->AppSilentRestart();
  if (restart) {
    if (!silent) {
      ShowPage(CompletedPage);
      RestartButton->SetEnabled(true);
      Focus(RestartButton);
    }
  } else {
    ShowPage(CompletedPage);
    RestartButton->SetCaption(StrExit);
    FitButton(RestartButton);
    Label8->SetCaption(L"");
    RestartButton->SetEnabled(true);
    Focus(RestartButton);
  }
  if (FAutoRun || (silent && restart)) {
    // FDone is set by the stop above; only the window's state counts here.
    bool go = true;
    if (!silent) {
      FDone = false;
      go = AutoRunPause();
      FDone = true;
    }
    if (go) RestartButtonClick(RestartButton);
  }
}

void TWUWIZ::RestartButtonClick(TObject*) {
  if (FNetUpdate->AppNeedsRestart()) FNetUpdate->DoRestart();
  Close();
}

void TWUWIZ::CancelButtonClick(TObject*) { FCancelled = true; }

void TWUWIZ::NetUpdateCancel(TObject*, bool& Cancel) { Cancel = FCancelled; }

void TWUWIZ::NetUpdateFileProgress(TObject*, const String& FileName, int Pos, int Size) {
  FileLabel->SetCaption(ExtractFileName(FileName));
  FileProgress->SetRange(0, Size);
  FileProgress->SetPosition(Pos);
  TFileList* files = FNetUpdate->FileList();
  int64_t total = files->TotalSize();
  TotalProgress->SetRange(0, static_cast<int>(std::min<int64_t>(total, INT32_MAX)));
  TotalProgress->SetPosition(static_cast<int>(std::min<int64_t>(Pos + files->CompletedSize(), INT32_MAX)));
  Application->ProcessMessages();
}

void TWUWIZ::ViewinNotepad1Click(TObject*) {
  String file = FNetUpdate->WinTempDir() + L"whatsnew.txt";
  TStringList lines;
  lines.SetText(WhatsNewMemo->Text());
  lines.SaveToFile(file);
  AppShellExecute(nullptr, L"open", file, L"", L"", SW_SHOWNORMAL);
}

void TWUWIZ::ViewinNotepad2Click(TObject*) {
  String file = FNetUpdate->WinTempDir() + L"eula.txt";
  TStringList lines;
  lines.SetText(EULAMemo->Text());
  lines.SaveToFile(file);
  AppShellExecute(nullptr, L"open", file, L"", L"", SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------
// TNetUpdateWizard

TNetUpdateWizard::TNetUpdateWizard(TComponent* AOwner) : TComponent(AOwner) {
  FFont = new TFont();
  FFont->SetName(L"Verdana");
  FFont->SetStyle({TFontStyle::fsBold});
  FFont->SetSize(9);
  FBillBoard = new TBitmap();
}

void TNetUpdateWizard::Destroy() {
  if (FForm) FForm->Close();
  SetNetUpdate(nullptr);
  SetLanguage(nullptr);
  TComponent::Destroy();
}

void TNetUpdateWizard::SetNetUpdate(TNetUpdate* Value) {
  if (FNetUpdate == Value) return;
  if (FNetUpdate) FNetUpdate->RemoveFreeNotification(this);
  FNetUpdate = Value;
  if (Value) Value->FreeNotification(this);
}

void TNetUpdateWizard::SetLanguage(TNetUpdateWizardLanguage* Value) {
  if (FLanguage == Value) return;
  if (FLanguage) FLanguage->RemoveFreeNotification(this);
  FLanguage = Value;
  if (Value) Value->FreeNotification(this);
}

void TNetUpdateWizard::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FNetUpdate) FNetUpdate = nullptr;
  if (AComponent == FLanguage) FLanguage = nullptr;
}

void TNetUpdateWizard::InitLanguage(TWUWIZ* W, TNetUpdateWizardLanguage* ALanguage) {
  TOwned<TNetUpdateWizardLanguage> english;
  if (!ALanguage) {
    english = new TNetUpdateWizardLanguage(nullptr);
    ALanguage = english;
  }
  TNetUpdateWizardLanguage* L = ALanguage;
  W->WelcomeLabel->SetCaption(L->Welcome());
  W->StartButton->SetCaption(L->StartButton());
  W->NewButton->SetCaption(L->NextButton());
  W->EULAButton->SetCaption(L->NextButton());
  W->FilesButton->SetCaption(L->NextButton());
  W->StrNext = L->NextButton();
  W->StrExit = L->ExitButton();
  W->CancelButton->SetCaption(L->CancelButton());
  W->RestartButton->SetCaption(L->RestartButton());
  W->ControlButton->SetCaption(L->GetUpdateButton());
  W->StrGetUpdate = L->GetUpdateButton();
  W->StrNewFound = L->NewVersionFound();
  W->StrNewVersion = L->NewVersion();
  W->StrNoNewVersion = L->NoNewVersionAvail();
  W->StrUCNewVersion = L->NewVersionAvail();
  W->StrCurVersion = L->CurrentVersion();
  W->StrNoNewFiles = L->NoFilesFound();
  W->StrNoUpdate = L->NoUpdateOnServer();
  W->StrCannotConnect = L->CannotConnect();
  W->WhatsNewLabel->SetCaption(L->WhatsNew());
  W->EULALabel->SetCaption(L->License());
  W->RAccept->SetCaption(L->AcceptLicense());
  W->RNoAccept->SetCaption(L->NotAcceptLicense());
  W->FilesLabel->SetCaption(L->ComponentsAvail());
  W->DownloadingLabel->SetCaption(L->DownloadingFiles());
  W->CurrentProgressLabel->SetCaption(L->CurrentProgress());
  W->TotalProgressLabel->SetCaption(L->TotalProgress());
  W->CompletedLabel->SetCaption(L->UpdateComplete());
  W->Label8->SetCaption(L->RestartInfo());
  W->StrFailedDownload = L->FailedDownload();
  W->StrWhatsNewPopup = L->WhatsNewPopup();
  W->StrLicensePopup = L->LicensePopup();
}

void TNetUpdateWizard::Execute(bool InitPath) {
  if (!FNetUpdate) throw Exception(L"No NetUpdate component assigned");
  if (InitPath) SetCurrentDir(ExtractFilePath(GetModuleName(nullptr)));
  TOwned<TWUWIZ> form(new TWUWIZ(this));
  form->SetBorderStyle(FBorderStyle);
  if (!FBillBoard->Empty()) form->BillBoard->Picture()->Assign(FBillBoard);
  form->BillBoard->SetBounds(FBillBoardLeft, FBillBoardTop, FBillBoardWidth, FBillBoardHeight);
  form->BillBoard->SetStretch(FBillBoardStretch);
  form->BillBoard->SetCenter(FBillBoardCenter);
  form->Font()->Assign(FFont);
  InitLanguage(form, FLanguage);
  if (FBorderStyle == TFormBorderStyle::bsNone) {
    form->SetClientWidth(form->Shape1->Width() + 2);
    form->SetClientHeight(form->Shape1->Height() + 2);
  } else {
    form->Shape1->Pen()->SetColor(clBtnFace);
    form->Shape1->Pen()->SetWidth(0);
  }
  form->SetAutoRun(FAutoRun);
  form->SetAutoStart(FAutoStart);
  TFileProgressEvent savedProgress = FNetUpdate->OnFileProgress;
  TProgressCancelEvent savedCancel = FNetUpdate->OnProgressCancel;
  TNetUpdate* update = FNetUpdate;
  form->SetNetUpdate(update);
  form->SetCaption(FCaption);
  form->SetPosition(FPosition);
  FForm = form;
  try {
    if (OnFormCreated) OnFormCreated(form);
    form->ShowModal();
  } catch (...) {
    FForm = nullptr;
    update->OnFileProgress = savedProgress;
    update->OnProgressCancel = savedCancel;
    throw;
  }
  FForm = nullptr;
  update->OnFileProgress = savedProgress;
  update->OnProgressCancel = savedCancel;
}

void TNetUpdateWizard::CloseWizard() {
  if (FForm) FForm->Close();
}
