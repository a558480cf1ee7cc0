#include "base/SharedResources.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

struct TSharedEntry {
  HINSTANCE Instance;
  bool Cursor;
  ULONG_PTR Number;  // a resource number, or 0 for a named resource
  std::wstring Name;
  HANDLE Handle;
  HANDLE Small = nullptr;  // an icon's small version, once asked for
  bool SmallLoaded = false;
};

std::mutex& CacheLock() {
  static std::mutex lock;
  return lock;
}

std::vector<TSharedEntry>& Cache() {
  static std::vector<TSharedEntry> cache;
  return cache;
}

HANDLE Shared(HINSTANCE Instance, LPCWSTR Name, bool Cursor) {
  const bool numbered = IS_INTRESOURCE(Name);
  const ULONG_PTR number = numbered ? reinterpret_cast<ULONG_PTR>(Name) : 0;
  // The first load happens under the lock as well: the system's own list of
  // shared handles can make two handles for one resource when two threads
  // load it for the first time at once.
  std::lock_guard<std::mutex> hold(CacheLock());
  for (const TSharedEntry& e : Cache())
    if (e.Instance == Instance && e.Cursor == Cursor && e.Number == number && (numbered || e.Name == Name))
      return e.Handle;
  HANDLE handle = Cursor ? static_cast<HANDLE>(LoadCursorW(Instance, Name))
                         : static_cast<HANDLE>(LoadIconW(Instance, Name));
  Cache().push_back(TSharedEntry{Instance, Cursor, number, numbered ? std::wstring() : std::wstring(Name), handle});
  return handle;
}

}  // namespace

HCURSOR SharedCursor(HINSTANCE Instance, LPCWSTR Name) {
  return static_cast<HCURSOR>(Shared(Instance, Name, true));
}

HICON SharedIcon(HINSTANCE Instance, LPCWSTR Name) { return static_cast<HICON>(Shared(Instance, Name, false)); }

HICON SharedSmallIcon(HICON Icon) {
  if (!Icon) return nullptr;
  std::lock_guard<std::mutex> hold(CacheLock());
  for (TSharedEntry& e : Cache()) {
    if (e.Cursor || e.Handle != Icon) continue;
    if (!e.SmallLoaded) {
      LPCWSTR name = e.Number ? MAKEINTRESOURCEW(e.Number) : e.Name.c_str();
      e.Small = LoadImageW(e.Instance, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                           LR_SHARED);
      e.SmallLoaded = true;
    }
    return static_cast<HICON>(e.Small);
  }
  return nullptr;
}
