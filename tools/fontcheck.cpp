// Checks that GDI+ finds each font family named on the command line; exits
// with 1 and names the missing ones otherwise.
#include <windows.h>

#include <cstdio>

#include "tools/GdiplusStart.h"

extern "C" {
int WINAPI GdipCreateFontFamilyFromName(const WCHAR* name, void* collection, void** family);
int WINAPI GdipDeleteFontFamily(void* family);
}

int wmain(int argc, wchar_t** argv) {
  GdiplusSession gdiplus;
  if (!gdiplus.Ok()) {
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
  return missing ? 1 : 0;
}
