// Saves a picture of the whole screen as a PNG file:
//   screenshot OUT.png [--post CLASS MSG LPARAM]
// --post first sends the message MSG (wParam 0, lParam LPARAM) to the
// window of that class, as the shell does when a person clicks a tray
// icon, and waits a moment for what it opened to paint.
// The screen is copied into a DIB section and written through GDI+'s PNG
// encoder. Exits with 0 when the file was written, 1 on failure, 2 on misuse.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "tools/GdiplusStart.h"

extern "C" {
struct ImageCodecInfoFlat {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};
int WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE palette, void** bitmap);
int WINAPI GdipGetImageEncodersSize(UINT* count, UINT* size);
int WINAPI GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfoFlat* encoders);
int WINAPI GdipSaveImageToFile(void* image, const WCHAR* file, const CLSID* encoder, const void* params);
int WINAPI GdipDisposeImage(void* image);
}

namespace {

// The whole (virtual) screen as a top-down 32-bit DIB section, or nullptr.
HBITMAP CaptureScreen(int& width, int& height) {
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0) {
    x = y = 0;
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  }
  if (width <= 0 || height <= 0) return nullptr;

  HDC screen = GetDC(nullptr);
  if (!screen) return nullptr;
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  bool copied = false;
  if (dib) {
    HGDIOBJ old = SelectObject(memory, dib);
    copied = BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied && dib) {
    DeleteObject(dib);
    dib = nullptr;
  }
  return dib;
}

bool FindPngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != 0 || count == 0 || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<ImageCodecInfoFlat*>(buffer.data());
  if (GdipGetImageEncoders(count, size, encoders) != 0) return false;
  for (UINT i = 0; i < count; ++i) {
    if (encoders[i].MimeType && wcscmp(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 && !(argc == 6 && wcscmp(argv[2], L"--post") == 0)) {
    fwprintf(stderr, L"usage: screenshot OUT.png [--post CLASS MSG LPARAM]\n");
    return 2;
  }
  SetProcessDPIAware();
  if (argc == 6) {
    if (HWND window = FindWindowW(argv[3], nullptr)) {
      PostMessageW(window, static_cast<UINT>(wcstoul(argv[4], nullptr, 0)), 0,
                   static_cast<LPARAM>(wcstoul(argv[5], nullptr, 0)));
      Sleep(1500);
    } else {
      fwprintf(stderr, L"screenshot: no window of class %ls\n", argv[3]);
    }
  }

  int width = 0, height = 0;
  HBITMAP dib = CaptureScreen(width, height);
  if (!dib) {
    fwprintf(stderr, L"screenshot: could not copy the screen\n");
    return 1;
  }

  GdiplusSession gdiplus;
  if (!gdiplus.Ok()) {
    fwprintf(stderr, L"screenshot: GDI+ did not start\n");
    DeleteObject(dib);
    return 1;
  }
  int result = 1;
  CLSID png{};
  void* bitmap = nullptr;
  int status = 0;
  if (!FindPngEncoder(png)) {
    fwprintf(stderr, L"screenshot: GDI+ has no PNG encoder\n");
  } else if ((status = GdipCreateBitmapFromHBITMAP(dib, nullptr, &bitmap)) != 0 || !bitmap) {
    fwprintf(stderr, L"screenshot: no GDI+ bitmap from the screen (GDI+ status %d)\n", status);
  } else if ((status = GdipSaveImageToFile(bitmap, argv[1], &png, nullptr)) != 0) {
    fwprintf(stderr, L"screenshot: could not save %ls (GDI+ status %d)\n", argv[1], status);
  } else {
    wprintf(L"screenshot: %dx%d saved to %ls\n", width, height, argv[1]);
    result = 0;
  }
  if (bitmap) GdipDisposeImage(bitmap);
  DeleteObject(dib);
  return result;
}
