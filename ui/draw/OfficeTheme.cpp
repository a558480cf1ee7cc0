#include "ui/draw/OfficeTheme.h"

#include <algorithm>

#include "base/Forms.h"

// ---------------------------------------------------------------------------
// Detection

namespace {
// A 32-bit value of a key of the current user, or -1 when the key or the
// value is missing or the value is not a 32-bit integer.
int64_t ReadThemeValue(const wchar_t* Key, const wchar_t* Name) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
  DWORD type = 0, value = 0, size = sizeof(value);
  LONG rc = RegQueryValueExW(k, Name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(k);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return -1;
  return static_cast<int32_t>(value);
}

bool KeyExists(const wchar_t* Key) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

DWORD Version(DWORD* Minor) {
  OSVERSIONINFOW vi{};
  vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&vi);
#pragma GCC diagnostic pop
  if (Minor) *Minor = vi.dwMinorVersion;
  return vi.dwMajorVersion;
}

bool SystemThemeColorName(String& ColorName) {
  if (!IsXPOrLater()) return false;
  HMODULE lib = LoadLibraryW(L"uxtheme.dll");
  if (!lib) return false;
  bool ok = false;
  using ActiveFn = BOOL(WINAPI*)();
  using NameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
  auto active = reinterpret_cast<ActiveFn>(GetProcAddress(lib, "IsThemeActive"));
  if (active && active() && IsComCtl32Version6()) {
    auto name = reinterpret_cast<NameFn>(GetProcAddress(lib, "GetCurrentThemeName"));
    if (name) {
      wchar_t file[255] = {}, color[255] = {}, sizeName[255] = {};
      name(file, 255, color, 255, sizeName, 255);
      ColorName = color;
      ok = true;
    }
  }
  FreeLibrary(lib);
  return ok;
}

TThemeColorNameSource gColorNameSource = nullptr;
}  // namespace

void SetThemeColorNameSource(TThemeColorNameSource Source) { gColorNameSource = Source; }

bool IsComCtl32Version6() {
  wchar_t path[MAX_PATH];
  UINT n = GetSystemDirectoryW(path, MAX_PATH);
  String file = String(path, n) + L"\\COMCTL32.DLL";
  DWORD handle = 0, size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  if (!size) return false;
  std::vector<BYTE> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info)
    return false;
  return HIWORD(info->dwFileVersionMS) > 5;
}

bool IsXPOrLater() {
  DWORD minor = 0, major = Version(&minor);
  return major > 5 || (major == 5 && minor >= 1);
}

int GetXPThemeColor() {
  String name;
  if (!(gColorNameSource ? gColorNameSource(name) : SystemThemeColorName(name)) || name.empty()) return 0;
  // The scheme names are matched as parts of the known texts, case-sensitively.
  if (String(L"NormalColor").find(name) != String::npos) return 1;
  if (String(L"HomeStead").find(name) != String::npos) return 2;
  if (String(L"Metallic").find(name) != String::npos) return 3;
  return 0;
}

int GetInstalledOfficeVersion() {
  if (KeyExists(L"Software\\Microsoft\\Office\\16.0\\Common\\General")) return 4;
  if (KeyExists(L"Software\\Microsoft\\Office\\15.0\\Common\\General")) return 3;
  if (KeyExists(L"Software\\Microsoft\\Office\\14.0\\Common\\General")) return 2;
  if (KeyExists(L"Software\\Microsoft\\Office\\12.0\\Common\\General")) return 1;
  return 0;
}

TOfficeTheme GetOfficeTheme() {
  using T = TOfficeTheme;
  struct Step {
    const wchar_t* Key;
    const wchar_t* Name;
    std::vector<std::pair<int, T>> Map;
  };
  const Step steps[] = {
      {L"Software\\Microsoft\\Office\\16.0\\Common", L"UI Theme",
       {{0, T::ot2016White}, {2, T::ot2016Black}, {3, T::ot2016White}, {5, T::ot2016Gray}}},
      {L"Software\\Microsoft\\Office\\15.0\\Common", L"UI Theme",
       {{0, T::ot2013White}, {1, T::ot2013Silver}, {2, T::ot2013Gray}}},
      {L"Software\\Microsoft\\Office\\14.0\\Common", L"Theme",
       {{1, T::ot2010Blue}, {2, T::ot2010Silver}, {3, T::ot2010Black}}},
      {L"Software\\Microsoft\\Office\\12.0\\Common", L"Theme",
       {{1, T::ot2007Blue}, {2, T::ot2007Silver}, {3, T::ot2007Black}}},
  };
  for (const Step& s : steps) {
    int64_t v = ReadThemeValue(s.Key, s.Name);
    if (v == -1) continue;
    for (const auto& m : s.Map)
      if (m.first == v) return m.second;
    return T::ot2003Blue;
  }
  static const T xp[] = {T::ot2003Classic, T::ot2003Blue, T::ot2003Olive, T::ot2003Silver};
  return xp[GetXPThemeColor()];
}

// ---------------------------------------------------------------------------
// THandleList

void THandleList::Insert(int Index, HWND Value) {
  if (Index < 0 || Index > Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  FItems.insert(FItems.begin() + Index, Value);
}

void THandleList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  FItems.erase(FItems.begin() + Index);
}

void THandleList::DeleteValue(HWND Value) {
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  if (it != FItems.end()) FItems.erase(it);
}

bool THandleList::HasValue(HWND Value) const { return std::find(FItems.begin(), FItems.end(), Value) != FItems.end(); }

HWND THandleList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  return FItems[static_cast<size_t>(Index)];
}

void THandleList::SetItems(int Index, HWND Value) {
  if (Index < 0 || Index >= Count()) throw EListError(L"List index out of bounds (%d)", {Index});
  FItems[static_cast<size_t>(Index)] = Value;
}

// ---------------------------------------------------------------------------
// TRegMonitorThread

namespace {
TRegMonitorEventFactory gEventFactory = nullptr;
}

void SetRegMonitorEventFactory(TRegMonitorEventFactory Factory) { gEventFactory = Factory; }

TRegMonitorThread::TRegMonitorThread(bool CreateSuspended)
    : TThread(CreateSuspended), FReg(new TRegistry(KEY_READ)), FWinList(new THandleList) {
  // Unnamed: a named event would be one object for every process of the
  // user, so one program's stop or reset would reach every other watch.
  FEvent = gEventFactory ? gEventFactory() : CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!FEvent) FEventError = GetLastError();
}

TRegMonitorThread::~TRegMonitorThread() {
  FWinList->Free();
  FReg->Free();
  if (FEvent) CloseHandle(FEvent);
}

DWORD TRegMonitorThread::Filter() {
  if (FFilter == 0) FFilter = 15;
  return FFilter;
}

void TRegMonitorThread::Stop() {
  Terminate();
  if (FEvent) SetEvent(FEvent);
}

void TRegMonitorThread::AddWindow(HWND Value) {
  FListLock.Enter();
  if (!FWinList->HasValue(Value)) FWinList->Add(Value);
  FListLock.Leave();
}

void TRegMonitorThread::RemoveWindow(HWND Value) {
  FListLock.Enter();
  FWinList->DeleteValue(Value);
  FListLock.Leave();
}

int TRegMonitorThread::WindowCount() {
  FListLock.Enter();
  int n = FWinList->Count();
  FListLock.Leave();
  return n;
}

void TRegMonitorThread::Execute() {
  // Without its event the watch could only spin: it ends with the reason.
  if (!FEvent) throw Exception(L"The theme watch has no event to wait on: " + SysErrorMessage(FEventError));
  FReg->SetRootKey(FRootKey);
  if (!FReg->OpenKeyReadOnly(FKey)) throw Exception(L"Unable to open registry key " + FKey);
  HKEY key = FReg->CurrentKey();
  DWORD filter = Filter();
  auto arm = [&] {
    LONG result = RegNotifyChangeKeyValue(key, FWatchSub, filter, FEvent, TRUE);
    if (result != ERROR_SUCCESS)
      throw Exception(L"Unable to watch registry key " + FKey + L": " + SysErrorMessage(static_cast<DWORD>(result)));
    FArmed = true;
  };
  arm();
  while (!Terminated()) {
    if (WaitForSingleObject(FEvent, INFINITE) != WAIT_OBJECT_0)
      throw Exception(L"The theme watch cannot wait on its event: " + SysErrorMessage(GetLastError()));
    FArmed = false;
    if (Terminated()) break;
    // Armed again before the windows hear of this change, so that none made
    // after they heard of it goes unnoticed.
    ResetEvent(FEvent);
    arm();
    auto root = reinterpret_cast<WPARAM>(FRootKey);
    auto text = reinterpret_cast<LPARAM>(FKey.c_str());
    if (FWnd) SendMessageW(FWnd, WM_OFFICETHEMECHANGE, root, text);
    // The pass works on the list as it was when it began; the list may
    // change meanwhile (a receiver may unregister) without overlapping it.
    FListLock.Enter();
    THandleList pass;
    for (int i = 0; i < FWinList->Count(); ++i) pass.Add(FWinList->Items(i));
    FListLock.Leave();
    for (int i = 0; i < pass.Count() && !Terminated(); ++i) SendMessageW(pass.Items(i), WM_OFFICETHEMECHANGE, root, text);
  }
}

// ---------------------------------------------------------------------------
// The notifier

void TThemeNotifierWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange) OnOfficeThemeChange(this);
  TWinControl::Dispatch(Message);
}

void TThemeNotifierWindow::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (!Parent() || !Params.WndParent) {
    Params.Style = (Params.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    Params.WndParent = nullptr;
  }
}

namespace {
TThemeNotifier* gNotifier = nullptr;
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  if (IsDesigning()) return;
  int version = GetInstalledOfficeVersion();
  if (version < 1 || version > 4) return;
  FNotifier = new TThemeNotifierWindow(this);
  FNotifier->SetParent(dynamic_cast<TWinControl*>(AOwner));
  FNotifier->SetVisible(false);
  FNotifier->OnOfficeThemeChange = [this](TObject*) {
    if (OnOfficeThemeChange) OnOfficeThemeChange(this);
  };
  static const wchar_t* const keys[] = {L"", L"Software\\Microsoft\\Office\\12.0\\Common",
                                        L"Software\\Microsoft\\Office\\14.0\\Common",
                                        L"Software\\Microsoft\\Office\\15.0\\Common",
                                        L"Software\\Microsoft\\Office\\16.0\\Common"};
  FRegMonitorThread = new TRegMonitorThread(true);
  FRegMonitorThread->SetWnd(FNotifier->Handle());
  FRegMonitorThread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
  FRegMonitorThread->SetKey(keys[version]);
  FRegMonitorThread->SetRootKey(HKEY_CURRENT_USER);
  FRegMonitorThread->SetWatchSub(true);
  FRegMonitorThread->Start();
}

TRegMonitorThread* TThemeNotifier::RegMonitorThread() const {
  // A watch that could not open its key has ended: it takes no windows.
  return FRegMonitorThread && !FRegMonitorThread->Finished() ? FRegMonitorThread : nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Hwnd) {
  if (TRegMonitorThread* t = RegMonitorThread()) t->AddWindow(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd) {
  if (TRegMonitorThread* t = RegMonitorThread()) t->RemoveWindow(Hwnd);
}

void TThemeNotifier::Destroy() {
  if (TRegMonitorThread* t = FRegMonitorThread) {
    FRegMonitorThread = nullptr;
    t->Stop();
    t->Free();  // waits for the watch to end, serving its sent messages
  }
  if (gNotifier == this) gNotifier = nullptr;
  TComponent::Destroy();
}

TThemeNotifier* GetThemeNotifier(TWinControl* AOwner) {
  if (!gNotifier) {
    TComponent* owner = AOwner;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main->HandleAllocated()) owner = main;
    gNotifier = new TThemeNotifier(owner);
  }
  return gNotifier;
}
