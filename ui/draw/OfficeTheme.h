// The Office colour theme in force (read from the current user's Office
// settings, newest Office first, then the visual-styles colour scheme), the
// installed Office version, and the program-wide notifier that watches the
// Office settings key on a thread of its own and sends message 2993 to its
// registered windows when a value there changes.
#pragma once

#include <atomic>
#include <vector>

#include "base/Controls.h"
#include "base/Registry.h"
#include "base/Threads.h"

enum class TOfficeTheme : uint8_t {
  ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
  ot2010Silver, ot2010Black, ot2013White, ot2013Silver, ot2013Gray, ot2016White, ot2016Gray, ot2016Black,
  otUnknown
};

// Sent when a value under the watched key changes: WParam the root key
// (HKEY_CURRENT_USER), LParam the address of the key's text.
constexpr UINT WM_OFFICETHEMECHANGE = 2993;

TOfficeTheme GetOfficeTheme();
// 4 for Office 2016, 3 for 2013, 2 for 2010, 1 for 2007, else 0.
int GetInstalledOfficeVersion();
// The visual-styles colour scheme: 1 "NormalColor", 2 "HomeStead",
// 3 "Metallic", 0 otherwise or when visual styles are not in use.
int GetXPThemeColor();
bool IsXPOrLater();
// The file version of COMCTL32.DLL has a major part above 5.
bool IsComCtl32Version6();
// Where GetXPThemeColor reads the colour-scheme name: false when visual
// styles are unavailable. Tests replace it (nullptr restores the system).
using TThemeColorNameSource = bool (*)(String& ColorName);
void SetThemeColorNameSource(TThemeColorNameSource Source);

// Window handles, each at most once where the notifier adds them.
class THandleList : public TObject {
  VANTREL_CLASS(THandleList)
 public:
  void Add(HWND Value) { FItems.push_back(Value); }
  void Insert(int Index, HWND Value);
  void Delete(int Index);
  // Removes the first occurrence; nothing when absent.
  void DeleteValue(HWND Value);
  bool HasValue(HWND Value) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  HWND Items(int Index) const;
  void SetItems(int Index, HWND Value);

 private:
  std::vector<HWND> FItems;
};

// Watches a registry key; after each change it sends WM_OFFICETHEMECHANGE
// to Wnd and then to each window of WinList, and arms the watch again.
// How a watch thread gets its event; tests make it fail. nullptr restores
// CreateEvent.
using TRegMonitorEventFactory = HANDLE (*)();
void SetRegMonitorEventFactory(TRegMonitorEventFactory Factory);

class TRegMonitorThread : public TThread {
  VANTREL_CLASS(TRegMonitorThread)
 public:
  explicit TRegMonitorThread(bool CreateSuspended);
  // Ends the wait: marks the thread terminated and wakes it.
  void Stop();

  const String& Key() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value) { FRootKey = Value; }
  bool WatchSub() const { return FWatchSub; }
  void SetWatchSub(bool Value) { FWatchSub = Value; }
  // 0 reads as (and becomes) every change kind, 15.
  DWORD Filter();
  void SetFilter(DWORD Value) { FFilter = Value; }
  HWND Wnd() const { return FWnd; }
  void SetWnd(HWND Value) { FWnd = Value; }
  // The registered windows; change them only through these two calls,
  // which never overlap a notification pass.
  void AddWindow(HWND Value);
  void RemoveWindow(HWND Value);
  int WindowCount();
  // The thread's own wake-up event: private to it, so that no other
  // process's watch can wake or reset it.
  HANDLE Event() const { return FEvent; }
  // Whether the watch is waiting for the next change (a change made from now
  // on will be heard).
  bool Armed() const { return FArmed; }

 protected:
  ~TRegMonitorThread() override;
  void Execute() override;

 private:
  TRegistry* FReg;
  HANDLE FEvent;
  DWORD FEventError = 0;
  std::atomic<bool> FArmed{false};
  String FKey;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FWatchSub = true;
  DWORD FFilter = 0;
  HWND FWnd = nullptr;
  THandleList* FWinList;
  TCriticalSection FListLock;
};

// The notifier's hidden window: message 2993 fires OnOfficeThemeChange.
class TThemeNotifierWindow : public TWinControl {
  VANTREL_CLASS(TThemeNotifierWindow)
 public:
  using TWinControl::TWinControl;
  TNotifyEvent OnOfficeThemeChange;

 protected:
  void Dispatch(TMessage& Message) override;
  // Without a parent it is a hidden top-level window (not message-only:
  // those miss broadcasts).
  void CreateParams(TCreateParams& Params) override;
};

class TThemeNotifier : public TComponent {
  VANTREL_CLASS(TThemeNotifier)
 public:
  // With Office 2007 to 2016 installed, makes the hidden window (parented
  // to AOwner when that is a windowed control) and starts the watch.
  explicit TThemeNotifier(TComponent* AOwner);
  // Only while the watch runs; a window is added once.
  void RegisterWindow(HWND Hwnd);
  void UnRegisterWindow(HWND Hwnd);
  // The watch thread, or nullptr (no Office to watch, or it ended).
  TRegMonitorThread* RegMonitorThread() const;
  TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }
  TNotifyEvent OnOfficeThemeChange;

 protected:
  void Destroy() override;

 private:
  TRegMonitorThread* FRegMonitorThread = nullptr;
  TThemeNotifierWindow* FNotifier = nullptr;
};

// The program's one notifier, made on first use: owned by the main form
// when it has a window, else by AOwner.
TThemeNotifier* GetThemeNotifier(TWinControl* AOwner);
