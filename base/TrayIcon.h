// The program's icon in the notification area, with its hint, a popup menu on
// a right click and balloon hints.
#pragma once

#include "base/Graphics.h"
#include "base/Object.h"

class TPopupMenu;

enum class TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };

// The message the shell sends to the icon's window for mouse and balloon
// events (lParam holds the event). Tests send it themselves: a display
// without a notification area never does.
constexpr UINT WM_TRAYICON_CALLBACK = WM_APP + 0x7C0;

class TTrayIcon : public TComponent {
  VANTREL_CLASS(TTrayIcon)
 public:
  explicit TTrayIcon(TComponent* AOwner);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The icon shown; empty shows the application's main icon.
  TIcon* Icon() { return FIcon; }
  void SetIcon(TIcon* Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  const String& BalloonTitle() const { return FBalloonTitle; }
  void SetBalloonTitle(const String& Value) { FBalloonTitle = Value; }
  const String& BalloonHint() const { return FBalloonHint; }
  void SetBalloonHint(const String& Value) { FBalloonHint = Value; }
  TBalloonFlags BalloonFlags() const { return FBalloonFlags; }
  void SetBalloonFlags(TBalloonFlags Value) { FBalloonFlags = Value; }
  // Milliseconds.
  int BalloonTimeout() const { return FBalloonTimeout; }
  void SetBalloonTimeout(int Value) { FBalloonTimeout = Value; }
  // Shows BalloonHint under BalloonTitle beside the icon.
  void ShowBalloonHint();
  // How many balloons have been shown: the shell gives no way to see one.
  int BalloonCount() const { return FBalloonCount; }

  // The window that receives the icon's events.
  HWND Handle();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnBalloonClick;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;
  // A right click: the popup menu at the cursor.
  virtual void DoPopup(int X, int Y);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void HandleCallback(LPARAM Event);
  // Adds, changes or removes the shell's icon to match the properties.
  void Refresh(DWORD Message);
  void FillData(NOTIFYICONDATAW& Data, UINT Flags);
  void IconChanged(TObject* Sender);

  HWND FHandle = nullptr;
  bool FVisible = false;
  bool FShown = false;  // the shell has our icon
  TIcon* FIcon;
  String FHint;
  TPopupMenu* FPopupMenu = nullptr;
  String FBalloonTitle;
  String FBalloonHint;
  TBalloonFlags FBalloonFlags = TBalloonFlags::bfNone;
  int FBalloonTimeout = 10000;
  int FBalloonCount = 0;
};
