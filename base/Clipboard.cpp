#include "base/Clipboard.h"

#include <cstring>

namespace {
constexpr int kOpenAttempts = 8;
constexpr DWORD kOpenRetryMs = 10;
}  // namespace

TClipboard::~TClipboard() {
  if (FOpenRefCount > 0) CloseClipboard();
  if (FHandle) DestroyWindow(FHandle);
}

void TClipboard::Open() {
  if (FOpenRefCount++ > 0) return;
  if (!FHandle || !IsWindow(FHandle))
    FHandle = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  for (int i = 0;; ++i) {
    if (OpenClipboard(FHandle)) return;
    if (i + 1 == kOpenAttempts) break;
    Sleep(kOpenRetryMs);
  }
  DWORD code = GetLastError();
  FOpenRefCount = 0;
  throw Exception(L"Cannot open clipboard: %s", {SysErrorMessage(code)});
}

void TClipboard::Close() {
  if (FOpenRefCount == 0 || --FOpenRefCount > 0) return;
  CloseClipboard();
}

String TClipboard::AsText() {
  Open();
  String s;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      s.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
      GlobalUnlock(h);
    }
  }
  Close();
  return s;
}

void TClipboard::SetAsText(const String& Value) {
  Open();
  EmptyClipboard();
  size_t bytes = (Value.size() + 1) * sizeof(wchar_t);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (h) {
    std::memcpy(GlobalLock(h), Value.c_str(), bytes);
    GlobalUnlock(h);
  }
  bool ok = h && SetClipboardData(CF_UNICODETEXT, h);
  DWORD code = GetLastError();
  if (h && !ok) GlobalFree(h);
  Close();
  if (!ok) throw Exception(L"Cannot put text on the clipboard: %s", {SysErrorMessage(code)});
}

bool TClipboard::HasFormat(UINT Format) const { return IsClipboardFormatAvailable(Format); }

TClipboard* Clipboard() {
  static TClipboard* instance = new TClipboard();
  return instance;
}
