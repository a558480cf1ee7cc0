// Forms, the application object with its message loop, and the screen.
#pragma once

#include <new>

#include "base/Controls.h"
#include "base/GlassFrame.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrClose = 11;

class TMainMenu;
class TMenuItem;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;


// A form is a top-level window. A form whose Parent is a control (a
// drop-down of that control) still has a pop-up window of its own, owned by
// its Parent's top-level window: its bounds are screen coordinates, it shows
// and hides with its Parent, and the controls on it belong to it, not to the
// Parent's form.
class TCustomForm : public TWinControl {
  VANTREL_CLASS(TCustomForm)
 public:
  explicit TCustomForm(TComponent* AOwner);

  // Ends the loading bracket of a form built in code: Loaded on the form and
  // its components, then OnCreate.
  void EndLoading() override;

  void SetVisible(bool Value) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetClientWidth(int Value) override;
  void SetClientHeight(int Value) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Active() const { return FActive; }
  bool Modal() const { return FModal; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  // How far the frame reaches into the client area on glass; each change
  // calls GlassFrameChanged.
  TGlassFrame* GlassFrame() const { return FGlassFrame; }
  void SetGlassFrame(TGlassFrame* Value) { FGlassFrame->Assign(Value); }

  // The menu bar; its commands, owner drawing and sub-menu openings reach it
  // through this form's window.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // The item whose sub-menu lists an MDI frame's children.
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* Value);
  // MDI: an fsMDIForm shows its children (fsMDIChild forms, whose windows
  // are made inside the main form's client window) in its client window.
  HWND ClientHandle() const { return FClientHandle; }
  TCustomForm* ActiveMDIChild();
  int MDIChildCount();
  TCustomForm* MDIChildren(int Index);

  // An MDI child is activated in its frame's client window.
  void BringToFront() override;
  // Shows the window without activating it.
  void ShowNoActivate();
  // Runs the form as a modal dialog; returns its ModalResult.
  virtual TModalResult ShowModal();
  // OnCloseQuery, then OnClose, then the chosen action; closing the main
  // form ends the application. Safe to call again while it runs.
  void Close();
  // Frees the form once the messages already posted to it are handled.
  void Release();
  virtual bool CloseQuery();

  // Focus bookkeeping used by the controls.
  bool SetFocusedControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  void FocusControl(TWinControl* Control);
  void KeyDownPreview(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
  void KeyPressPreview(wchar_t& Key) { KeyPress(Key); }

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

 protected:
  // A form whose constructor failed leaves the screen's list here, then
  // frees its components and window (see TComponent::DestroyFromDestructor).
  ~TCustomForm() override;
  void BeforeDestruction() override;
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void ShowingChanged() override;
  void ShowChildren() override;
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  // The glass frame changed. A plain form draws no glass, so nothing
  // happens here; a form that draws on glass hands the margins on.
  virtual void GlassFrameChanged() {}

 private:
  void SetActive(bool Value);
  void SetWindowFocus();
  void CenterOnScreen();
  RECT FrameRect();

  struct TFrameCache {
    bool Known;
    DWORD Style;
    DWORD ExStyle;
    bool Menu;
    RECT Rect;
  };

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TPosition FPosition = TPosition::poDesigned;
  TWindowState FWindowState = TWindowState::wsNormal;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  bool FKeyPreview = false;
  TModalResult FModalResult = mrNone;
  bool FActive = false;
  bool FModal = false;
  bool FScaled = true;
  int FPixelsPerInch = 96;
  bool FShowNoActivate = false;
  bool FChildrenWaiting = false;  // shown minimized, its controls not yet shown
  bool FInClose = false;
  bool FCreated = false;
  TMainMenu* FMenu = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  HWND FClientHandle = nullptr;
  TOwned<TGlassFrame> FGlassFrame;
  TFrameCache FFrame{};
};

class TForm : public TCustomForm {
  VANTREL_CLASS(TForm)
 public:
  using TCustomForm::TCustomForm;
};

class TStringList;
class TStrings;

class TScreen : public TComponent {
  VANTREL_CLASS(TScreen)
 public:
  explicit TScreen(TComponent* AOwner);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int PixelsPerInch() const { return ScreenPixelsPerInch(); }
  // The width of the whole desktop (all monitors).
  int DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
  // The system's menu font, read on first use.
  TFont* MenuFont();
  TRect WorkAreaRect() const;
  TPoint CursorPos() const;
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  TCustomForm* ActiveForm() const;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // The system's status and tooltip font, read again on every call.
  TFont* HintFont();
  // The installed font families, sorted, read on first use.
  TStrings* Fonts();
  // The cursor of a cursor value: a system cursor, or one registered here.
  HCURSOR Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Value);

  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);

 protected:
  ~TScreen() override;
  void Destroy() override;

 private:
  std::vector<TCustomForm*> FForms;
  TFont* FMenuFont = nullptr;
  TCursor FCursor = crDefault;
  TOwned<TFont> FHintFont;
  TOwned<TStringList> FFonts;
  std::vector<std::pair<TCursor, HCURSOR>> FCursors;
};

// The pixels per inch of the monitor that shows Window (the screen's when
// the platform keeps one value for all monitors). Tests may fix the answer
// (nullptr asks the platform again).
int MonitorPixelsPerInch(HWND Window);
void SetMonitorPixelsPerInchSource(int (*Source)(HWND Window));

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

class THintWindow;

class TApplication : public TComponent {
  VANTREL_CLASS(TApplication)
 public:
  explicit TApplication(TComponent* AOwner);

  // Makes the application's utility window (created on demand otherwise).
  void Initialize() { Handle(); }
  // Creates a form owned by the application; Reference names it while it is
  // being built. The first form created becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    Handle();
    void* mem = ::operator new(sizeof(T));
    Reference = static_cast<T*>(mem);
    try {
      new (mem) T(this);
    } catch (...) {
      Reference = nullptr;
      ::operator delete(mem);
      throw;
    }
    if (!FMainForm) {
      if (auto* f = dynamic_cast<TCustomForm*>(static_cast<TObject*>(Reference))) {
        f->HandleNeeded();
        FMainForm = f;
      }
    }
  }

  // Shows the main form (minimized when that is its stored state) and runs
  // the message loop until the application terminates.
  void Run();
  // Handles every message waiting, and the calls queued by workers.
  void ProcessMessages();
  // Handles one message, or waits for one when there is none.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Reports the exception being handled (call it from a catch block):
  // OnException when assigned, else a message box.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  int MessageBox(const String& Text, const String& Caption, UINT Flags);

  TCustomForm* MainForm() const { return FMainForm; }
  HWND MainFormHandle();
  // The application's utility window (hidden): wakes the loop for queued
  // calls. Made on first use on the GUI thread, so that a program that ends
  // during start-up never creates a window.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  String ExeName() const;
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  bool MainFormOnTaskbar() const { return FMainFormOnTaskbar; }
  void SetMainFormOnTaskbar(bool Value) { FMainFormOnTaskbar = Value; }
  bool Running() const { return FRunning; }

  // For tests: forget the main form and a finished loop, so that a later
  // loop runs again.
  void ResetMainForm() { FMainForm = nullptr; }
  void ResetTerminated() { FTerminated = false; FTerminateRequested = false; }

  // The hint manager (base/Hints.cpp): after HintPause over a control that
  // shows hints, the control gets CM_HINTSHOW and the hint window shows its
  // text until HintHidePause passes, the pointer leaves or a key or button
  // goes down.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  // Hides a showing hint and forgets the control it was for.
  void CancelHint();
  // Asks the control under the screen point for its hint now and shows it;
  // what the pause timer does (tests call it directly).
  void ActivateHint(const TPoint& CursorPos);
  // The hint window, nullptr until a hint was shown.
  THintWindow* HintWindow() const { return FHintWindow; }
  TControl* HintControl() const { return FHintControl; }

  TExceptionEvent OnException;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;

 private:
  bool ProcessMessage(MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  // The hint manager's view of a message before it is dispatched.
  void HintMessage(const MSG& Msg);
  void HintTimerExpired(UINT_PTR Id);
  void Idle();
  static LRESULT CALLBACK UtilWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND FHandle = nullptr;
  TCustomForm* FMainForm = nullptr;
  String FTitle;
  bool FTerminated = false;
  bool FTerminateRequested = false;
  bool FShowMainForm = true;
  bool FMainFormOnTaskbar = true;
  bool FRunning = false;
  bool FShowHint = true;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  bool FHintShowing = false;
};

extern TApplication* Application;
extern TScreen* Screen;

// Start-up and finalisation of the GUI layer (application object, screen,
// common controls); the first entry of the unit table.
void InitGuiUnit();
void FiniGuiUnit();
