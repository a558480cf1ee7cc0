#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <vector>

#include "app/OvTools.h"
#include "base/Registry.h"
#include "tests/support/Gui.h"

namespace {

using SS = TShiftStateItem;

// Test windows live until the process ends: under wine without a window
// manager, hiding or destroying a window that was once active waits 2 s for
// the window manager.
HWND MakeWindow(const wchar_t* Caption) {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"VantrelToolsTestWindow";
    return RegisterClassW(&wc);
  }();
  return CreateWindowExW(0, MAKEINTATOM(atom), Caption, WS_POPUP | WS_BORDER, 100, 100, 300, 200, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// ---------------------------------------------------------------------------

TEST(StripPolishDiacritics, ReplacesEachPolishLetterByItsBase) {
  struct {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"Zażółć gęślą jaźń", L"Zazolc gesla jazn"},
      {L"ĄĆĘŁŃÓŚŻŹąćęłńóśżź", L"ACELNOSZZacelnoszz"},
      {L"Plain text, 123 äöü ß", L"Plain text, 123 äöü ß"},
      {L"", L""},
  };
  for (auto& c : cases) EXPECT_EQ(StripPolishDiacritics(c.in), c.out) << WideToAnsi(c.in, CP_UTF8);
  // Characters past a text's end are not letters.
  String withNul(L"a\0ż", 3);
  EXPECT_EQ(StripPolishDiacritics(withNul), String(L"a\0z", 3));
}

TEST(ReplaceAllText, ReplacesEveryOccurrenceInOnePass) {
  struct {
    const wchar_t* text;
    const wchar_t* search;
    const wchar_t* replacement;
    const wchar_t* out;
  } cases[] = {
      {L"a\r\nb\r\nc", L"\r", L" ", L"a \nb \nc"},
      {L"a\r\nb\r\n", L"\n", L"", L"a\rb\r"},
      {L"\r\r\r", L"\r", L"", L""},
      {L"no match", L"x", L"y", L"no match"},
      {L"", L"x", L"y", L""},
      {L"aaa", L"aa", L"b", L"ba"},
      // Replacements that contain the searched text are not searched again.
      {L"a.b.c", L".", L"..", L"a..b..c"},
      {L"x", L"x", L"xx", L"xx"},
      {L"cat", L"a", L"bab", L"cbabt"},
      // Nor are neighbours that meet after a removal.
      {L"XXbb", L"Xb", L"", L"Xb"},
  };
  for (auto& c : cases)
    EXPECT_EQ(ReplaceAllText(c.text, c.search, c.replacement), c.out) << WideToAnsi(c.text);
}

// ---------------------------------------------------------------------------

class Autostart : public testing::Test {
 protected:
  const String name_ = L"VantrelTestAutostart";
  void TearDown() override { RemoveAutostart(name_); }
  static bool RawRead(const String& name, String& value) {
    wchar_t buf[512];
    DWORD size = sizeof(buf);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", name.c_str(),
                     RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
      return false;
    value = buf;
    return true;
  }
};

TEST_F(Autostart, SetTestedAndRemovedUnderTheCurrentUsersRunKey) {
  RemoveAutostart(name_);
  EXPECT_FALSE(IsAutostartSet(name_));
  const String command = L"\"C:\\Program Files\\Vantrel\\Vantrel.exe\" /minimized";
  SetAutostart(name_, command);
  EXPECT_TRUE(IsAutostartSet(name_));
  String stored;
  ASSERT_TRUE(RawRead(name_, stored));
  EXPECT_EQ(stored, command);
  EXPECT_FALSE(IsAutostartSet(name_ + L"2"));

  SetAutostart(name_, L"other");
  ASSERT_TRUE(RawRead(name_, stored));
  EXPECT_EQ(stored, L"other");

  RemoveAutostart(name_);
  EXPECT_FALSE(IsAutostartSet(name_));
  EXPECT_FALSE(RawRead(name_, stored));
  RemoveAutostart(name_);  // nothing left to remove: harmless
  EXPECT_FALSE(IsAutostartSet(name_));
}

TEST_F(Autostart, RunKeyIsCreatedWhenMissing) {
  const wchar_t* run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  // Keep what the prefix has there and put it back afterwards.
  TRegistry reg;
  std::vector<std::pair<String, String>> saved;
  if (reg.OpenKey(run, false)) {
    for (const String& v : reg.GetValueNames())
      if (reg.GetDataType(v) == TRegDataType::rdString) saved.emplace_back(v, reg.ReadString(v));
    reg.CloseKey();
  }
  ASSERT_TRUE(!reg.KeyExists(run) || reg.DeleteKey(run));
  EXPECT_FALSE(IsAutostartSet(name_));
  EXPECT_FALSE(reg.KeyExists(run));  // testing does not create the key
  SetAutostart(name_, L"cmd");
  EXPECT_TRUE(IsAutostartSet(name_));
  ASSERT_TRUE(reg.OpenKey(run, false));
  for (auto& [n, v] : saved) reg.WriteString(n, v);
}

// ---------------------------------------------------------------------------

// A window to move between the bands, below another, normal window that the
// user works in.
class Topmost : public testing::Test {
 protected:
  void SetUp() override {
    static HWND target = MakeWindow(L"target"), other = MakeWindow(L"other");
    target_ = target;
    other_ = other;
    ASSERT_TRUE(target_ && other_);
    SetWindowPos(target_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(target_, SW_SHOWNOACTIVATE);
    ShowWindow(other_, SW_SHOW);
    SetForegroundWindow(other_);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other_; }, 2000));
    SetWindowPos(target_, other_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(Above(other_, target_));
    GetWindowRect(target_, &rect_);
  }
  // True when A comes before B in the z-order.
  static bool Above(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
      if (w == b) return true;
    return false;
  }
  bool IsTopmost() const { return (GetWindowLongPtrW(target_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  void ExpectSameRect() const {
    RECT r;
    GetWindowRect(target_, &r);
    EXPECT_TRUE(TRect(r) == TRect(rect_));
  }
  HWND target_ = nullptr, other_ = nullptr;
  RECT rect_{};
};

TEST_F(Topmost, OnAndOffWithoutActivationLeavesTheWindowOnTopOfNormalOnes) {
  SetWindowTopmost(target_, true, false);
  PumpFor(50);
  EXPECT_TRUE(IsTopmost());
  EXPECT_TRUE(Above(target_, other_));
  EXPECT_EQ(GetForegroundWindow(), other_);
  EXPECT_NE(GetActiveWindow(), target_);

  SetWindowTopmost(target_, false, false);
  PumpFor(50);
  EXPECT_FALSE(IsTopmost());
  EXPECT_TRUE(Above(target_, other_));
  EXPECT_EQ(GetForegroundWindow(), other_);
  EXPECT_NE(GetActiveWindow(), target_);
  ExpectSameRect();
}

TEST_F(Topmost, ActivatesWhenAsked) {
  SetWindowTopmost(target_, true, true);
  EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == target_; }, 2000));
  EXPECT_TRUE(IsTopmost());
  ExpectSameRect();
  SetWindowTopmost(target_, false, false);
  PumpFor(20);
  EXPECT_FALSE(IsTopmost());
}

// ---------------------------------------------------------------------------

TEST(VersionText, ReadsTheRunningExecutablesFileVersion) { EXPECT_EQ(GetExeVersionText(), L"1.0.0.1"); }

TEST(VersionText, FailuresCarryTheSystemsMessage) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  String text = IncludeTrailingPathDelimiter(temp) + L"vantrel_version_" + IntToStr(GetCurrentProcessId()) + L".txt";
  { std::ofstream(WideToAnsi(text)) << "not a program"; }
  for (const String& file : {text, text + L".missing"}) {
    try {
      GetFileVersionText(file);
      ADD_FAILURE() << "no exception for " << WideToAnsi(file);
    } catch (const EOSError& e) {
      EXPECT_NE(e.ErrorCode(), 0u);
      EXPECT_FALSE(SysErrorMessage(e.ErrorCode()).empty());
      EXPECT_NE(e.Message().find(SysErrorMessage(e.ErrorCode())), String::npos) << e.what();
    }
  }
  DeleteFileW(text.c_str());
}

// ---------------------------------------------------------------------------

struct KeyRecord {
  DWORD vk, scan;
  bool up, extended;
};
std::vector<KeyRecord> gKeys;

LRESULT CALLBACK RecordKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    gKeys.push_back({k->vkCode, k->scanCode, (k->flags & LLKHF_UP) != 0, (k->flags & LLKHF_EXTENDED) != 0});
    return 1;  // swallowed: no window and no key state sees the test's keys
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD GenericKey(DWORD vk) {
  switch (vk) {
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

TEST(SendKeyStroke, SendsModifiersAroundOneKeyPress) {
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, RecordKeys, GetModuleHandleW(nullptr), 0);
  ASSERT_NE(hook, nullptr);
  struct Expected {
    DWORD vk;
    bool up, extended;
  };
  struct {
    WORD key;
    TShiftState shift;
    bool extended;
    std::vector<Expected> events;
  } cases[] = {
      {'A', {}, false, {{'A', false, false}, {'A', true, false}}},
      {VK_RIGHT, {}, true, {{VK_RIGHT, false, true}, {VK_RIGHT, true, true}}},
      {'S', {SS::ssAlt, SS::ssShift, SS::ssCtrl}, false,
       {{VK_CONTROL, false, false}, {VK_SHIFT, false, false}, {VK_MENU, false, false}, {'S', false, false},
        {'S', true, false}, {VK_MENU, true, false}, {VK_SHIFT, true, false}, {VK_CONTROL, true, false}}},
      // Mouse-button and double-click states press nothing.
      {VK_F5, {SS::ssShift, SS::ssLeft, SS::ssDouble}, false,
       {{VK_SHIFT, false, false}, {VK_F5, false, false}, {VK_F5, true, false}, {VK_SHIFT, true, false}}},
  };
  for (auto& c : cases) {
    gKeys.clear();
    SendKeyStroke(c.key, c.shift, c.extended);
    PumpUntil([&] { return gKeys.size() >= c.events.size(); }, 2000);
    PumpFor(100);  // nothing more arrives
    ASSERT_EQ(gKeys.size(), c.events.size()) << "key " << c.key;
    for (size_t i = 0; i < gKeys.size(); ++i) {
      const KeyRecord& got = gKeys[i];
      const Expected& want = c.events[i];
      EXPECT_EQ(GenericKey(got.vk), want.vk) << "key " << c.key << " event " << i;
      EXPECT_EQ(got.up, want.up) << "key " << c.key << " event " << i;
      EXPECT_EQ(got.extended, want.extended) << "key " << c.key << " event " << i;
      EXPECT_EQ(got.scan, MapVirtualKeyW(want.vk, MAPVK_VK_TO_VSC)) << "key " << c.key << " event " << i;
    }
  }
  UnhookWindowsHookEx(hook);
}

// A window with an edit control that has the focus.
class KeyTarget : public testing::Test {
 protected:
  void SetUp() override {
    static HWND wnd = MakeWindow(L"keys");
    static HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10,
                                       200, 24, wnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    wnd_ = wnd;
    edit_ = edit;
    ASSERT_TRUE(wnd_ && edit_);
    SetWindowTextW(edit_, L"");
    ShowWindow(wnd_, SW_SHOW);
    SetForegroundWindow(wnd_);
    SetFocus(edit_);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == wnd_ && GetFocus() == edit_; }, 2000));
  }
  String Text() const {
    wchar_t buf[256];
    int n = GetWindowTextW(edit_, buf, 256);
    return String(buf, n);
  }
  bool TypesAs(WORD key, TShiftState shift, bool extended, const String& expected) {
    SendKeyStroke(key, shift, extended);
    return PumpUntil([&] { return Text() == expected; }, 2000);
  }
  HWND wnd_ = nullptr, edit_ = nullptr;
};

TEST_F(KeyTarget, KeyStrokesArriveInTheFocusedEdit) {
  EXPECT_TRUE(TypesAs('A', {}, false, L"a")) << WideToAnsi(Text());
  EXPECT_TRUE(TypesAs('B', {SS::ssShift}, false, L"aB")) << WideToAnsi(Text());
  EXPECT_TRUE(TypesAs('7', {}, false, L"aB7")) << WideToAnsi(Text());
  // An extended arrow key moves the caret; the modifiers are up again.
  SendKeyStroke(VK_LEFT, {}, true);
  EXPECT_TRUE(TypesAs('C', {}, false, L"aBc7")) << WideToAnsi(Text());
  EXPECT_TRUE(TypesAs(VK_BACK, {}, false, L"aB7")) << WideToAnsi(Text());
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}

}  // namespace
