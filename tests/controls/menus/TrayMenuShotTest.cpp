// The program's tray menu, opened the way the notification area opens it,
// read back and saved as a picture: <build>/menus/tray_menu.bmp. Runs in a
// lab network (the main window starts its UDP service).
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/Program.h"
#include "base/Dialogs.h"
#include "base/FileStreams.h"
#include "base/TrayIcon.h"
#include "tests/controls/menus/MenuDriver.h"
#include "tests/support/Gui.h"
#include "ui/controls/menus/AdvMenuUtil.h"

namespace {

// The screen's pixels under a window (what the user sees, region included).
TBitmap* CaptureScreenRect(const RECT& R) {
  auto* bmp = new TBitmap(R.right - R.left, R.bottom - R.top, TPixelFormat::pf32bit);
  HDC screen = GetDC(nullptr);
  BitBlt(bmp->Canvas()->Handle(), 0, 0, R.right - R.left, R.bottom - R.top, screen, R.left, R.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  return bmp;
}

String ShotPath() {
  wchar_t buf[MAX_PATH] = {};
  GetEnvironmentVariableW(L"VANTREL_BUILD_DIR", buf, MAX_PATH);
  String dir = buf;
  if (dir.empty()) return L"";
  for (wchar_t& c : dir)
    if (c == L'/') c = L'\\';
  dir = L"Z:" + dir + L"\\menus";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\tray_menu.bmp";
}

}  // namespace

TEST(TrayMenu, OpensInTheOfficeLookAndIsSaved) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\test_tray_menu");
  std::vector<String> boxes;
  SetMessageBoxHook([&](const String& Text, const String&, UINT) {
    boxes.push_back(Text);
    return IDOK;
  });
  CreateProgramForms();
  ASSERT_NE(Form1, nullptr);
  SetCursorPos(500, 300);
  TBitmap* shot = nullptr;
  TBitmap* window = nullptr;
  RECT r{};
  {
    TMenuIdleHook hook([&](HWND w) {
      PostMenuKey(VK_DOWN);  // the first item highlighted
      AfterMenuSettles([&, w] {
        GetWindowRect(w, &r);
        shot = CaptureScreenRect(r);
        window = CaptureWindow(w);
        EndMenu();
      });
    });
      SendMessageW(Form1->TrayIcon1->Handle(), WM_TRAYICON_CALLBACK, 1, WM_RBUTTONUP);
      EXPECT_TRUE(hook.Ran());
    EXPECT_FALSE(hook.TimedOut());
  }
  ASSERT_NE(shot, nullptr);
  String path = ShotPath();
  if (!path.empty()) {
    TFileStream file(path, fmCreate);
    shot->SaveToStream(&file);
  }
  // The window's own pixels: the border ring in the stored border colour,
  // the background colour right of the icon bar, the Office 2003 blue icon
  // bar starting light at its left.
  int h = r.bottom - r.top;
  EXPECT_EQ(PixelAt(window, 1, h / 2), 0x962D00);
  EXPECT_EQ(PixelAt(window, 2, h / 2), 0xF6F6F6);
  EXPECT_EQ(PixelAt(window, 3, h / 2), 0xFFEFE3);
  EXPECT_GT(CountPixels(window, TRect(0, 0, r.right - r.left, h), 0xF6F6F6), 200);
  // The highlighted item: the selected colour inside a navy frame.
  EXPECT_GT(CountPixels(window, TRect(0, 0, r.right - r.left, h), 0xC2EEFF), 100);
  EXPECT_GT(CountPixels(window, TRect(0, 0, r.right - r.left, h), clNavy), 20);
  shot->Free();
  window->Free();
  Form1->ExitProgram();
  Application->DestroyComponents();
  Application->ResetMainForm();
  Application->ResetTerminated();
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\test_tray_menu");
  SetMessageBoxHook(nullptr);
  EXPECT_TRUE(boxes.empty());
}
