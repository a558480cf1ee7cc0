// The program's main window: small and normally hidden, it shows the last
// passcode, a log and the service state, and lives in the notification area.
// It carries the UDP service, the protocol's dispatcher and timers and the
// tray icon with its menu. Closing it by its caption button only hides it;
// the program ends through the exit command or the end of the Windows
// session.
#pragma once

#include "app/OvFormSR.h"
#include "app/OvUDPS.h"
#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "base/Image.h"
#include "base/ImgList.h"
#include "base/Menus.h"
#include "base/Lists.h"
#include "base/StdCtrls.h"
#include "base/TrayIcon.h"
#include "ui/controls/menus/AdvMenuOfficeStyler.h"
#include "ui/controls/menus/AdvMenus.h"

// Posted to itself on every show; the first one hides the window again.
constexpr UINT WM_HIDE_ON_FIRST_SHOW = WM_USER + 101;

// Colours of the service indicator.
constexpr TColor ServiceActiveColor = 0xFFFF00;
constexpr TColor ServiceInactiveColor = 0xFF0000;

// The link state. Only the dispatcher and the main window's timers write it,
// on the GUI thread; the other windows read it.
extern String PhoneIP;            // heartbeat and contact query go here
extern String RemoteIP;           // SMS, calls and text analysis go here
extern bool Connected;            // a heartbeat answer since the last watchdog tick
extern int MissCount;             // watchdog ticks since the last datagram
extern bool PhonebookReceived;    // the end of a phone book has arrived
extern TStringList* ContactNames;    // the phone book: entry i of both lists
extern TStringList* ContactNumbers;  // is one contact

class TForm1 : public TForm {
  VANTREL_CLASS(TForm1)
 public:
  explicit TForm1(TComponent* AOwner);

  TImage* Image1;       // the product picture
  TLabel* Label1;       // "PASS:"
  TEdit* Edit1;         // the last passcode
  TLabel* lbPhoneIP;    // the phone's address
  TPanel* Panel1;       // service indicator
  TMemo* Memo1;         // log
  TOvUDPS* OvUDPS1;
  TTrayIcon* TrayIcon1;
  TOvFormSR* OvFormSR1;
  TImageList* ImageList1;     // the tray menu's pictures
  TAdvMenuOfficeStyler* ofMenuStyler;  // the tray menu's look
  TAdvPopupMenu* PopupMenu1;  // the tray menu
  TMenuItem* miInfo;          // "Vantrel info"
  TMenuItem* miNewSMS;        // "NEW SMS"
  TMenuItem* miOutBox;        // "SMS OUT BOX"
  TMenuItem* miInBox;         // "SMS IN BOX"
  TMenuItem* miShow;          // "Show main window"
  TMenuItem* miHide;          // "Hide main window"
  TMenuItem* miAutostart;     // "Start with Windows"; Tag 1 while the program sets it
  TMenuItem* miExit;          // "EXIT"
  TTimer* Timer1;  // contact query, 1000 ms, one shot
  TTimer* Timer2;  // discovery, 500 ms, one shot
  TTimer* Timer3;  // heartbeat, 2000 ms
  TTimer* Timer4;  // link watchdog, 3000 ms

  // Closing means ending the program.
  bool ExitRequested = false;
  // The first show has been answered.
  bool FirstShowDone = false;
  // The window's controls get their windows this long after the start's
  // show, which leaves them unmade (the window is minimized, then hidden).
  static constexpr UINT_PTR ControlsTimerId = 0x4357;
  static constexpr UINT ControlsDelayMs = 200;

  // The exit command: saves the positions of the other windows and closes
  // this one for good.
  void ExitProgram();
  // Flashes the window's caption and taskbar button.
  void FlashAttention(HWND Wnd);
  // The last window flashed (the shell shows no trace of a flash).
  HWND LastFlashed() const { return FLastFlashed; }

  // The UDP service's packet event: one received command.
  void OvUDPS1GetPacketUDP(TObject* Sender, const String& PacketUDP, const String& PacketUDPHex,
                           const String& PeerIP, const String& PeerPort, String& Response);
  void OvUDPS1UDPStatus(TObject* Sender, bool Active, int Error, const String& ErrorDesc);

  // Tray icon and menu.
  void TrayIcon1Click(TObject* Sender);
  void TrayIcon1BalloonClick(TObject* Sender);
  void NewSmsClick(TObject* Sender);
  void OutBoxClick(TObject* Sender);
  void InBoxClick(TObject* Sender);
  void ShowMainWindow(TObject* Sender);
  void HideMainWindow(TObject* Sender);
  void ExitClick(TObject* Sender) { ExitProgram(); }
  void AutostartClick(TObject* Sender);
  // The menus' pictures (the tray menu's and the new-SMS window's pattern
  // menus'), drawn when a menu that shows them first opens.
  void MenuImagesNeeded();

  // Sends a command to the phone (port 43000); nothing while the address
  // is unknown.
  void SendToPhone(const String& IP, const String& Command);

  void Dispatch(TMessage& Message) override;

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);
  void Timer3Timer(TObject* Sender);
  void Timer4Timer(TObject* Sender);
  // Restarts a timer's count.
  static void Rearm(TTimer* Timer);
  void TypePasscode(const String& Code);
  TMenuItem* AddMenuItem(const wchar_t* Name, const wchar_t* Caption, int ImageIndex,
                         void (TForm1::*Handler)(TObject*));
  void FillImageList();
  void PopupMenu1Popup(TObject* Sender) { MenuImagesNeeded(); }
  // The product picture, loaded when the window is first seen.
  void LoadPicture();
  void MakeControlWindows();

  HWND FLastFlashed = nullptr;
  bool FMenuImagesDrawn = false;
  bool FPictureLoaded = false;
};

extern TForm1* Form1;
