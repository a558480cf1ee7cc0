// Checks that GDI+ finds each font family named on the command line; exits
// with 1 and names the missing ones otherwise.
#include <windows.h>

#include <cstdio>

extern "C" {
struct GdiplusStartupInputFlat {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInputFlat* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
int WINAPI GdipCreateFontFamilyFromName(const WCHAR* name, void* collection, void** family);
int WINAPI GdipDeleteFontFamily(void* family);
}

int wmain(int argc, wchar_t** argv) {
  GdiplusStartupInputFlat input{1, nullptr, FALSE, FALSE};
  ULONG_PTR token = 0;
  if (GdiplusStartup(&token, &input, nullptr) != 0) {
    fwprintf(stderr, L"fontcheck: GDI+ did not start\n");
    return 1;
  }
  int missing = 0;
  for (int i = 1; i < argc; ++i) {
    void* family = nullptr;
    int status = GdipCreateFontFamilyFromName(argv[i], nullptr, &family);
    if (status != 0 || !family) {
      fwprintf(stderr, L"fontcheck: font family \"%ls\" not found (GDI+ status %d)\n", argv[i], status);
      ++missing;
    } else {
      GdipDeleteFontFamily(family);
    }
  }
  GdiplusShutdown(token);
  return missing ? 1 : 0;
}
