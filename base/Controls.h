// Controls: the visual components. TControl has bounds, a parent, colours,
// a font, text and mouse events; TWinControl adds a window made on demand,
// children, focus and keys; TCustomControl and TGraphicControl paint
// themselves, with and without a window of their own.
#pragma once

#include <vector>

#include "base/BiDi.h"
#include "base/Graphics.h"
#include "base/Messages.h"
#include "base/Object.h"
#include "base/ShiftState.h"

class TWinControl;
class TCustomForm;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
class TBasicAction;
class TControlActionLink;
using TControlActionLinkClass = TControlActionLink* (*)(TObject* AClient);

enum class TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground,
  csPannable, csAlignWithMargins, csGestures, csPaintBlackOpaqueOnGlass, csOverrideStylePaint
};
using TControlStyle = Set<TControlStyleItem>;

enum class TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy,
  csCustomPaint, csDestroyingHandle, csDocking, csRecreating, csAligning, csPrintClient
};
using TControlState = Set<TControlStateItem>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The state of an owner-drawn item (list rows, menu items, list boxes).
enum class TOwnerDrawStateItem {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = Set<TOwnerDrawStateItem>;
// The owner-draw state of a DRAWITEMSTRUCT's itemState.
TOwnerDrawState OwnerDrawStateFromItemState(UINT ItemState);

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNo = -18;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHandPoint = -21;
// The system cursor for a cursor value.
HCURSOR CursorHandle(TCursor Cursor);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

// The shift state of key data (lParam of a key message) and of the
// keyboard now.
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeyboardStateToShiftState();
TShiftState MouseKeysToShiftState(WPARAM Keys);
// Whether a toggle key (VK_NUMLOCK, VK_CAPITAL, VK_SCROLL) is on in this
// thread's keyboard state.
bool IsKeyToggled(int VirtualKey);

class TControlCanvas;

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
  VANTREL_CLASS(TSizeConstraints)
 public:
  int MinWidth() const { return FMinWidth; }
  int MinHeight() const { return FMinHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMinWidth(int Value) { FMinWidth = Value; Changed(); }
  void SetMinHeight(int Value) { FMinHeight = Value; Changed(); }
  void SetMaxWidth(int Value) { FMaxWidth = Value; Changed(); }
  void SetMaxHeight(int Value) { FMaxHeight = Value; Changed(); }
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

class TControl : public TComponent {
  VANTREL_CLASS(TControl)
 public:
  explicit TControl(TComponent* AOwner);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // Brings a width and height within Constraints (a limit of 0 is none).
  void Constrain(int& AWidth, int& AHeight) const;
  // Re-applies Constraints to the current size.
  void AdjustSize() { SetBounds(FLeft, FTop, FWidth, FHeight); }
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.Width(), R.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  virtual void SetClientWidth(int Value);
  virtual void SetClientHeight(int Value);
  // The screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& P) { TPoint o = ClientOrigin(); return TPoint(P.x + o.x, P.y + o.y); }
  TPoint ScreenToClient(const TPoint& P) { TPoint o = ClientOrigin(); return TPoint(P.x - o.x, P.y - o.y); }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  // Caption and Text are the same text.
  virtual String Text();
  void SetText(const String& Value);
  String Caption() { return Text(); }
  void SetCaption(const String& Value) { SetText(Value); }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // Takes the parent's ShowHint (base/Hints.h: ControlShowsHint).
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value) { FParentShowHint = Value; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  TSizeConstraints* Constraints() { return FConstraints; }
  // The control follows the action's caption, enabled state, hint and
  // visibility; its click executes the action.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return FActionLink; }
  // The reading order of the control's text. ParentBiDiMode (on by default)
  // takes the parent's mode; setting BiDiMode switches it off. A change
  // sends CM_BIDIMODECHANGED to the control and its children.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  // Right-to-left alignment or reading, in a right-to-left system locale.
  bool UseRightToLeftAlignment() const;
  bool UseRightToLeftReading() const;
  // Rescales position, size and (without ParentFont) the font by M / D.
  virtual void ChangeScale(int M, int D);

  virtual void Invalidate();
  // Paints at once.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  virtual void Update();
  // Puts the control above its siblings (a top-level window above the
  // others; an MDI child form becomes its frame's active child).
  virtual void BringToFront();
  void SendToBack();
  // Runs the message through WindowProc and returns its result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void Click();
  virtual void DblClick();
  bool HasParent() const { return FParent != nullptr; }

  // The message handler chain; components may replace it and call the saved
  // one.
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& Message);
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

 protected:
  // A control whose constructor failed leaves its parent here (see
  // TComponent::DestroyFromDestructor).
  ~TControl() override;
  void Destroy() override;
  // Drops the handlers and the window procedure that the failed derived
  // part installed: none may run while the base parts clean up.
  void DetachHandlers();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Resize();
  // Called when the text changed (through the control notification).
  virtual void TextChanged() {}
  virtual void FontChanged();
  // Stores a bounds change made by the window itself.
  void UpdateBoundsRect(const TRect& R);
  void RequestAlign();
  virtual void VisibleChanging() {}
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  TCustomForm* GetParentFormOf() const;
  // The link class that SetAction makes for this control.
  virtual TControlActionLinkClass GetActionLinkClass();
  // Takes the action's values; with CheckDefaults only where this control
  // still has its defaults.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = false;
  TOwned<TFont> FFont;
  bool FParentFont = true;
  String FText;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TAlign FAlign = TAlign::alNone;
  TControlStyle FControlStyle;
  TControlState FControlState;
  TComponent* FPopupMenu = nullptr;
  TOwned<TSizeConstraints> FConstraints;
  TControlActionLink* FActionLink = nullptr;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
  bool FParentBiDiMode = true;

 private:
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Extra);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  friend class TWinControl;
};

// The form that holds the control: the nearest form up its Parent chain (a
// form with a Parent is a pop-up that holds its own controls), or nullptr.
TCustomForm* GetParentForm(TControl* Control);
// A form with a Parent: a top-level pop-up window, not a child window.
bool IsPopupChild(const TControl* Control);

struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSW WindowClass{};
  String WinClassName;
};

enum class TBorderStyleKind { bsNone, bsSingle };

class TWinControl : public TControl {
  VANTREL_CLASS(TWinControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  // A control whose window is a child of a window of someone else's.
  static TWinControl* CreateParented(HWND ParentWindow);

  // The window, made on demand.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  void RecreateWnd();
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  bool Showing() const override { return FShowing; }
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  String Text() override;

  // Children: graphic controls and windowed controls, in z-order (last on top).
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  int ControlIndex(TControl* Control) const;
  virtual void InsertControl(TControl* AControl);
  virtual void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The visible, enabled graphic child at a client point (the topmost).
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled = false, bool AllowWinControls = false);
  void Broadcast(TMessage& Message);
  void PaintControls(HDC DC, TControl* First);
  void PaintTo(HDC DC, int X, int Y);
  // Places the aligned children within Rect. AControl is the child whose
  // move or resize asked for it (nullptr when the parent itself changed).
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  void Realign();
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  TBrush* Brush() { return FBrush; }

  // Focus and keyboard.
  virtual bool CanFocus();
  bool Focused() const;
  virtual void SetFocus();
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder() const;
  void SetTabOrder(int Value);
  // The windowed descendants that take the focus with Tab, in order.
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // A windowed control whose constructor failed frees its children and its
  // window here.
  ~TWinControl() override;
  void Destroy() override;
  virtual void CreateParams(TCreateParams& Params);
  // Takes the window class of a system control (EDIT, BUTTON...) for ours.
  void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // Paints the control's own face into DC (system controls: their default
  // painting).
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  virtual void UpdateShowing();
  // Shows the windowed children (not the pop-ups) as this control shows,
  // each with its window.
  virtual void ShowChildren();
  void UpdateControlState();
  virtual void ShowingChanged();
  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(wchar_t& Key);
  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  // The part of the client area that aligned children share.
  virtual void AdjustClientRect(TRect& Rect) {}
  // A child moved or changed size (or was inserted or shown): the aligned
  // children are placed again, and AlignControls learns which child it was.
  void AlignControl(TControl* AControl);
  void UpdateBounds();
  // Keeps what the window holds (text...) before it goes, for the next one.
  virtual void SaveWindowState();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  HWND FParentWindow = nullptr;
  std::vector<TControl*> FControls;      // all children
  std::vector<TWinControl*> FTabList;    // windowed children in tab order
  bool FShowing = false;
  bool FShowingChildren = false;  // the children are told this one is showing
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  TOwned<TBrush> FBrush;
  int FAlignLevel = 0;

 private:
  static LRESULT CALLBACK InitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool IsControlMouseMsg(TMessage& Message);
  void TrackMouse(TMessage& Message);
  void LeaveControls(TControl* Old, TControl* Target);
  void DoAlign(TAlign AAlign, TRect& Rect);
  friend class TControl;
};

// The control that owns a window of this process, or nullptr.
TWinControl* FindControl(HWND Handle);
// The control (windowed or graphic) at a screen point.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);

// A canvas on a control's window; for a graphic control, on its parent's
// window moved to the control's origin.
class TControlCanvas : public TCanvas {
  VANTREL_CLASS(TControlCanvas)
 public:
  explicit TControlCanvas(TControl* AControl = nullptr) : FControl(AControl) {}
  ~TControlCanvas() override { FreeHandle(); }
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);
  // Gives the device context back.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

class TCustomControl : public TWinControl {
  VANTREL_CLASS(TCustomControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* Canvas() { return FCanvas; }
  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

  TOwned<TControlCanvas> FCanvas;
};

class TGraphicControl : public TControl {
  VANTREL_CLASS(TGraphicControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  TCanvas* Canvas() { return FCanvas; }
  void Dispatch(TMessage& Message) override;

 protected:
  void Destroy() override;
  virtual void Paint() {}

  TOwned<TControlCanvas> FCanvas;
};

// Gives back the device contexts that canvases took outside painting (the
// message loop calls it when idle).
void FreeDeviceContexts();

// Draws a 3D frame and shrinks Rect by its width.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
