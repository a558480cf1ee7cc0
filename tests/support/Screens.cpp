#include "tests/support/Screens.h"

#include "app/SmsImages.h"
#include "base/FileStreams.h"
#include "tests/support/Gui.h"

String ScreensFolder() {
  wchar_t buf[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"VANTREL_BUILD_DIR", buf, MAX_PATH);
  String dir = buf;
  if (dir.empty()) dir = ExtractFilePath(GetModuleName(nullptr)) + L"..";
  if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + StringReplaceAll(dir, L"/", L"\\");
  dir = IncludeTrailingPathDelimiter(dir) + L"screens";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::unique_ptr<TBitmap> CaptureWindow(TCustomForm* Form) {
  HWND h = Form->Handle();
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpFor(300);
  RECT r;
  GetWindowRect(h, &r);
  auto bmp = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top, TPixelFormat::pf32bit);
  HDC screen = GetDC(nullptr);
  BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return bmp;
}

bool SaveScreenshot(TBitmap* Bitmap, const wchar_t* Name) {
  String file = ScreensFolder() + L"\\" + Name;
  TFileStream out(file, fmCreate);
  return SaveBitmapAsPng(Bitmap, &out);
}

TPoint InPicture(TCustomForm* Form, TControl* Control, int X, int Y) {
  RECT wr;
  GetWindowRect(Form->Handle(), &wr);
  TPoint p = Control->ClientToScreen(TPoint(X, Y));
  return TPoint(p.x - wr.left, p.y - wr.top);
}
