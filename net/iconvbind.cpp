#include "net/iconvbind.h"

#include <windows.h>

#include <atomic>

namespace {

using TIconvOpenFn = void*(__cdecl*)(const char* ToCode, const char* FromCode);
using TIconvFn = size_t(__cdecl*)(void* Cd, const char** InBuf, size_t* InLeft, char** OutBuf, size_t* OutLeft);
using TIconvCloseFn = int(__cdecl*)(void* Cd);
using TIconvCtlFn = int(__cdecl*)(void* Cd, int Request, void* Argument);

// Guards loading and unloading; a slim lock needs no start-up of its own.
SRWLOCK gLock = SRWLOCK_INIT;
std::atomic<bool> gLoaded{false};
HMODULE gLibrary = nullptr;
TIconvOpenFn gOpen = nullptr;
TIconvFn gIconv = nullptr;
TIconvCloseFn gClose = nullptr;
TIconvCtlFn gCtl = nullptr;

class TIconvLock {
 public:
  TIconvLock() { AcquireSRWLockExclusive(&gLock); }
  ~TIconvLock() { ReleaseSRWLockExclusive(&gLock); }
  TIconvLock(const TIconvLock&) = delete;
  TIconvLock& operator=(const TIconvLock&) = delete;
};

template <class F>
F Bind(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(gLibrary, name)));
}

// Charset names are ASCII.
std::string NarrowName(const std::wstring& name) {
  std::string s(name.size(), '?');
  for (size_t i = 0; i < name.size(); ++i)
    if (name[i] < 0x80) s[i] = static_cast<char>(name[i]);
  return s;
}

// The library is looked for in the program's folder, in System32 and in
// folders added with AddDllDirectory, never in the current folder or on
// PATH, where anyone could leave a file of that name.
HMODULE LoadFromTrustedFolders() {
  const wchar_t kName[] = L"iconv.dll";
  HMODULE library = LoadLibraryExW(kName, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
  // A system that lacks the search flags: the program's folder alone.
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  std::wstring file(path, n);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + kName;
  return LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Room that any one character's output, escape sequences included, fits
// in: a call that stops with less than this left ran out of room.
constexpr size_t kCharacterRoom = 64;

}  // namespace

bool LoadIconvLibrary() {
  if (gLoaded.load(std::memory_order_acquire)) return true;
  TIconvLock lock;
  if (!gLoaded.load(std::memory_order_relaxed)) {
    HMODULE library = LoadFromTrustedFolders();
    if (!library) return false;
    gLibrary = library;
    gOpen = Bind<TIconvOpenFn>("libiconv_open");
    gIconv = Bind<TIconvFn>("libiconv");
    gClose = Bind<TIconvCloseFn>("libiconv_close");
    gCtl = Bind<TIconvCtlFn>("libiconvctl");
    gLoaded.store(true, std::memory_order_release);
  }
  return true;
}

bool IconvLoaded() { return gLoaded.load(std::memory_order_acquire); }

void UnloadIconvLibrary() {
  TIconvLock lock;
  gLoaded.store(false, std::memory_order_release);
  if (gLibrary) FreeLibrary(gLibrary);
  gLibrary = nullptr;
  gOpen = nullptr;
  gIconv = nullptr;
  gClose = nullptr;
  gCtl = nullptr;
}

TIconvHandle IconvOpen(const std::wstring& ToName, const std::wstring& FromName) {
  if (!LoadIconvLibrary() || !gOpen) return InvalidIconvHandle;
  return reinterpret_cast<TIconvHandle>(gOpen(NarrowName(ToName).c_str(), NarrowName(FromName).c_str()));
}

TIconvHandle IconvOpenIgnore(const std::wstring& ToName, const std::wstring& FromName) {
  return IconvOpen(ToName + L"//IGNORE", FromName);
}

TIconvHandle IconvOpenTranslit(const std::wstring& ToName, const std::wstring& FromName) {
  return IconvOpen(ToName + L"//IGNORE//TRANSLIT", FromName);
}

int IconvConvert(TIconvHandle Handle, const std::string& Input, std::string& Output) {
  Output.clear();
  if (!IconvLoaded() || !gIconv || Handle == InvalidIconvHandle) return 0;
  void* cd = reinterpret_cast<void*>(Handle);
  Output.resize(Input.size() * 4 + kCharacterRoom);
  size_t used = 0;
  auto grow = [&] { Output.resize(Output.size() * 2); };
  auto call = [&](const char** in, size_t* inLeft) {
    char* out = Output.data() + used;
    size_t outLeft = Output.size() - used;
    size_t result = gIconv(cd, in, inLeft, &out, &outLeft);
    used = Output.size() - outLeft;
    return result;
  };

  const char* in = Input.data();
  size_t inLeft = Input.size();
  while (inLeft > 0) {
    size_t result = call(&in, &inLeft);
    if (inLeft == 0 || result != static_cast<size_t>(-1)) break;
    // Stopped early: for want of room, or at input it cannot take (which
    // a larger buffer does not change).
    if (Output.size() - used >= kCharacterRoom) break;
    grow();
  }
  // Back to the initial shift state (stateful targets end their escapes).
  for (;;) {
    if (call(nullptr, nullptr) != static_cast<size_t>(-1)) break;
    if (Output.size() - used >= kCharacterRoom) break;
    grow();
  }
  Output.resize(used);
  return static_cast<int>(Input.size() - inLeft);
}

int IconvClose(TIconvHandle& Handle) {
  if (Handle == InvalidIconvHandle) return 0;
  int result = -1;
  if (IconvLoaded() && gClose) result = gClose(reinterpret_cast<void*>(Handle));
  Handle = InvalidIconvHandle;
  return result;
}
