// The update wizard: drives an update component step by step through a
// modal window of pages (welcome, version found, what's new, licence,
// components, download, completed) in the words of a language object.
#pragma once

#include "base/Forms.h"
#include "update/NetUpdate.h"
#include "update/NetUpdateWizardLanguage.h"

class TButton;
class TCheckListBox;
class TImage;
class TLabel;
class TMemo;
class TMenuItem;
class TPageControl;
class TPopupMenu;
class TProgressBar;
class TRadioButton;
class TRichEdit;
class TShape;
class TTabSheet;

// The wizard's window.
class TWUWIZ : public TForm {
  VANTREL_CLASS(TWUWIZ)
 public:
  explicit TWUWIZ(TComponent* AOwner);

  TShape* Shape1;
  TImage* BillBoard;
  TPageControl* PageControl1;
  TTabSheet* WelcomePage;
  TTabSheet* VersionPage;
  TTabSheet* WhatsNewPage;
  TTabSheet* DownloadPage;
  TTabSheet* EULAPage;
  TTabSheet* FilesPage;
  TTabSheet* CompletedPage;
  TLabel* WelcomeLabel;
  TButton* StartButton;
  TLabel* VersionInfoLabel;
  TButton* ControlButton;
  TLabel* WhatsNewLabel;
  TMemo* WhatsNewMemo;
  TRichEdit* WhatsNewRichEdit;
  TButton* NewButton;
  TLabel* DownloadingLabel;
  TLabel* CurrentProgressLabel;
  TLabel* TotalProgressLabel;
  TLabel* FileLabel;
  TProgressBar* FileProgress;
  TProgressBar* TotalProgress;
  TButton* CancelButton;
  TLabel* EULALabel;
  TMemo* EULAMemo;
  TRichEdit* EULARichEdit;
  TRadioButton* RAccept;
  TRadioButton* RNoAccept;
  TButton* EULAButton;
  TLabel* FilesLabel;
  TCheckListBox* CheckListBox1;
  TButton* FilesButton;
  TLabel* CompletedLabel;
  TLabel* Label8;
  TButton* RestartButton;
  TPopupMenu* WhatsNewPopupMenu;
  TMenuItem* ViewinNotepad1;
  TPopupMenu* EULAPopupMenu;
  TMenuItem* ViewinNotepad2;

  TNetUpdate* NetUpdate() const { return FNetUpdate; }
  // Points the component's file progress and cancel events at this window
  // and clears Cancelled.
  void SetNetUpdate(TNetUpdate* Value);
  bool Cancelled() const { return FCancelled; }
  void SetCancelled(bool Value) { FCancelled = Value; }
  bool AutoRun() const { return FAutoRun; }
  void SetAutoRun(bool Value) { FAutoRun = Value; }
  bool AutoStart() const { return FAutoStart; }
  void SetAutoStart(bool Value) { FAutoStart = Value; }

  // The texts that the steps put together.
  String StrNewFound, StrNewVersion, StrCurVersion, StrNoNewVersion, StrUCNewVersion, StrGetUpdate, StrExit,
      StrNoNewFiles, StrCannotConnect, StrNoUpdate, StrNext, StrFailedDownload, StrWhatsNewPopup, StrLicensePopup;

  // The steps, public so that tests go through them as the user does.
  void StartButtonClick(TObject* Sender);
  void ControlButtonClick(TObject* Sender);
  void NewButtonClick(TObject* Sender);
  void EULAButtonClick(TObject* Sender);
  void RAcceptClick(TObject* Sender);
  void FilesButtonClick(TObject* Sender);
  void CancelButtonClick(TObject* Sender);
  void RestartButtonClick(TObject* Sender);
  void ViewinNotepad1Click(TObject* Sender);
  void ViewinNotepad2Click(TObject* Sender);
  void NetUpdateFileProgress(TObject* Sender, const String& FileName, int Pos, int Size);
  void NetUpdateCancel(TObject* Sender, bool& Cancel);
  // Stops the connection and closes the window.
  void UpdateDone();
  // Widens a button to its caption, keeping its right edge.
  static void FitButton(TButton* Button);

  void Dispatch(TMessage& Message) override;

 private:
  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  // Fills the component list from the file list (Default: the text of a
  // file without description; Preselect: tick as the file says).
  void ListFiles(const String& Default, bool Preselect);
  // No file left: says so and ends; otherwise the component list, or the
  // download when every file is hidden.
  void CheckFileCount();
  void ShowFilesPage();
  void StartDownloadPage();
  void ShowLicence(TMemoryStream* Text, bool FromEvent);
  // 350 ms of handling messages; false when the window closed meanwhile.
  bool AutoRunPause();
  bool Running();
  void ShowPage(TTabSheet* Page);

  TNetUpdate* FNetUpdate = nullptr;
  bool FCancelled = false;
  bool FAutoRun = false;
  bool FAutoStart = false;
  bool FStarted = false;
  bool FDone = false;
};

class TNetUpdateWizard : public TComponent {
  VANTREL_CLASS(TNetUpdateWizard)
 public:
  explicit TNetUpdateWizard(TComponent* AOwner);

  TNetUpdate* NetUpdate() const { return FNetUpdate; }
  void SetNetUpdate(TNetUpdate* Value);
  TNetUpdateWizardLanguage* Language() const { return FLanguage; }
  void SetLanguage(TNetUpdateWizardLanguage* Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TFont* Font() { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  bool AutoStart() const { return FAutoStart; }
  void SetAutoStart(bool Value) { FAutoStart = Value; }
  bool AutoRun() const { return FAutoRun; }
  void SetAutoRun(bool Value) { FAutoRun = Value; }
  TBitmap* BillBoard() { return FBillBoard; }
  void SetBillBoard(TBitmap* Value) { FBillBoard->Assign(Value); }
  int BillBoardTop() const { return FBillBoardTop; }
  void SetBillBoardTop(int Value) { FBillBoardTop = Value; }
  int BillBoardLeft() const { return FBillBoardLeft; }
  void SetBillBoardLeft(int Value) { FBillBoardLeft = Value; }
  int BillBoardHeight() const { return FBillBoardHeight; }
  void SetBillBoardHeight(int Value) { FBillBoardHeight = Value; }
  int BillBoardWidth() const { return FBillBoardWidth; }
  void SetBillBoardWidth(int Value) { FBillBoardWidth = Value; }
  bool BillBoardStretch() const { return FBillBoardStretch; }
  void SetBillBoardStretch(bool Value) { FBillBoardStretch = Value; }
  bool BillBoardCenter() const { return FBillBoardCenter; }
  void SetBillBoardCenter(bool Value) { FBillBoardCenter = Value; }

  // Shows the wizard modally; without NetUpdate raises "No NetUpdate
  // component assigned". With InitPath the executable's folder becomes the
  // current folder first.
  void Execute(bool InitPath);
  void CloseWizard();
  // The wizard's window while Execute runs, else nullptr.
  TWUWIZ* Form() const { return FForm; }
  // Puts the texts of ALanguage (nullptr: the English defaults) on AWizard.
  static void InitLanguage(TWUWIZ* AWizard, TNetUpdateWizardLanguage* ALanguage);

  // Runs when the window has been made, before it shows (tests look at it).
  std::function<void(TWUWIZ* Form)> OnFormCreated;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;

 private:
  TNetUpdate* FNetUpdate = nullptr;
  TNetUpdateWizardLanguage* FLanguage = nullptr;
  String FCaption;
  TOwned<TFont> FFont;
  TPosition FPosition = TPosition::poScreenCenter;
  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsDialog;
  bool FAutoStart = false;
  bool FAutoRun = false;
  TOwned<TBitmap> FBillBoard;
  int FBillBoardTop = 27, FBillBoardLeft = 9, FBillBoardHeight = 201, FBillBoardWidth = 116;
  bool FBillBoardStretch = false, FBillBoardCenter = false;
  TWUWIZ* FForm = nullptr;
};
