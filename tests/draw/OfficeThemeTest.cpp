#include <gtest/gtest.h>

#include "base/Forms.h"
#include "base/Registry.h"
#include "tests/support/Gui.h"
#include "ui/draw/OfficeTheme.h"

namespace {
const wchar_t* const kVersions[] = {L"11.0", L"12.0", L"14.0", L"15.0", L"16.0"};

// Writes Office keys into the test prefix's registry and removes them all
// afterwards.
struct OfficeFixture : ::testing::Test {
  OfficeFixture() { Clean(); }
  ~OfficeFixture() override {
    Clean();
    SetThemeColorNameSource(nullptr);
  }
  static void Clean() {
    TRegistry reg;
    for (const wchar_t* v : kVersions) reg.DeleteKey(String(L"\\Software\\Microsoft\\Office\\") + v);
  }
  static void Marker(const wchar_t* Version) {
    TRegistry reg;
    reg.OpenKey(String(L"\\Software\\Microsoft\\Office\\") + Version + L"\\Common\\General", true);
  }
  static void Value(const wchar_t* Version, const wchar_t* Name, int V) {
    TRegistry reg;
    reg.OpenKey(String(L"\\Software\\Microsoft\\Office\\") + Version + L"\\Common", true);
    reg.WriteInteger(Name, V);
  }
};

// A plain window that counts message 2993.
struct Receiver {
  static inline int Counts[8] = {};
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_OFFICETHEMECHANGE) ++Counts[GetWindowLongPtrW(h, GWLP_USERDATA)];
    return DefWindowProcW(h, m, w, l);
  }
  HWND Handle;
  explicit Receiver(int Slot) {
    static ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VantrelThemeReceiver";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    Counts[Slot] = 0;
    Handle = CreateWindowW(L"VantrelThemeReceiver", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(Handle, GWLP_USERDATA, Slot);
  }
  ~Receiver() { DestroyWindow(Handle); }
  int Count() const { return Counts[GetWindowLongPtrW(Handle, GWLP_USERDATA)]; }
};
}  // namespace

TEST_F(OfficeFixture, ThemeFollowsTheNewestOfficeThatAnswers) {
  using T = TOfficeTheme;
  struct Case {
    std::vector<std::tuple<const wchar_t*, const wchar_t*, int>> Values;
    T Theme;
  } cases[] = {
      {{{L"16.0", L"UI Theme", 5}}, T::ot2016Gray},
      {{{L"16.0", L"UI Theme", 0}}, T::ot2016White},
      {{{L"16.0", L"UI Theme", 2}}, T::ot2016Black},
      {{{L"16.0", L"UI Theme", 1}, {L"15.0", L"UI Theme", 2}}, T::ot2003Blue},  // unknown number ends the search
      {{{L"15.0", L"UI Theme", 2}}, T::ot2013Gray},
      {{{L"15.0", L"UI Theme", 1}}, T::ot2013Silver},
      {{{L"14.0", L"Theme", 3}, {L"12.0", L"Theme", 1}}, T::ot2010Black},
      {{{L"12.0", L"Theme", 2}}, T::ot2007Silver},
      {{{L"12.0", L"Theme", 7}}, T::ot2003Blue},
      {{}, T::ot2003Classic},  // no Office, no visual styles here
  };
  for (const Case& c : cases) {
    Clean();
    for (auto& [version, name, v] : c.Values) Value(version, name, v);
    EXPECT_EQ(GetOfficeTheme(), c.Theme) << c.Values.size();
  }
  // A value of another type counts as missing.
  Clean();
  {
    TRegistry reg;
    reg.OpenKey(L"\\Software\\Microsoft\\Office\\16.0\\Common", true);
    reg.WriteString(L"UI Theme", L"5");
  }
  Value(L"14.0", L"Theme", 1);
  EXPECT_EQ(GetOfficeTheme(), TOfficeTheme::ot2010Blue);
}

TEST_F(OfficeFixture, VisualStylesSchemeNamesAreMatchedAsParts) {
  struct Case {
    const wchar_t* Name;
    int Color;
    TOfficeTheme Theme;
  } cases[] = {{L"NormalColor", 1, TOfficeTheme::ot2003Blue}, {L"Color", 1, TOfficeTheme::ot2003Blue},
               {L"NormalColorX", 0, TOfficeTheme::ot2003Classic}, {L"HomeStead", 2, TOfficeTheme::ot2003Olive},
               {L"Metallic", 3, TOfficeTheme::ot2003Silver}, {L"normalcolor", 0, TOfficeTheme::ot2003Classic},
               {L"", 0, TOfficeTheme::ot2003Classic}};
  static const wchar_t* current = nullptr;
  for (const Case& c : cases) {
    current = c.Name;
    SetThemeColorNameSource([](String& n) { n = current; return true; });
    EXPECT_EQ(GetXPThemeColor(), c.Color) << c.Name;
    EXPECT_EQ(GetOfficeTheme(), c.Theme) << c.Name;
  }
  SetThemeColorNameSource([](String&) { return false; });  // visual styles off
  EXPECT_EQ(GetOfficeTheme(), TOfficeTheme::ot2003Classic);
  SetThemeColorNameSource(nullptr);
  EXPECT_EQ(GetXPThemeColor(), 0);  // comctl32 5.81 here
  EXPECT_TRUE(IsXPOrLater());
}

TEST_F(OfficeFixture, InstalledVersionFromTheMarkerKeys) {
  EXPECT_EQ(GetInstalledOfficeVersion(), 0);
  Marker(L"11.0");
  EXPECT_EQ(GetInstalledOfficeVersion(), 0);
  Marker(L"14.0");
  EXPECT_EQ(GetInstalledOfficeVersion(), 2);
  Marker(L"16.0");
  EXPECT_EQ(GetInstalledOfficeVersion(), 4);
}

TEST_F(OfficeFixture, WithoutOfficeToWatchTheNotifierHasNoThread) {
  Marker(L"11.0");
  TThemeNotifier* n = GetThemeNotifier(nullptr);
  EXPECT_EQ(n->RegMonitorThread(), nullptr);
  EXPECT_EQ(n->NotifierWindow(), nullptr);
  Receiver r(0);
  n->RegisterWindow(r.Handle);  // nothing to register with
  EXPECT_EQ(GetThemeNotifier(nullptr), n);
  n->Free();
}

TEST_F(OfficeFixture, AChangeReachesTheNotifierAndEachRegisteredWindowOnce) {
  Marker(L"11.0");
  Marker(L"14.0");
  auto* owner = new TForm(nullptr);
  TThemeNotifier* n = GetThemeNotifier(owner);
  auto* other = new TForm(nullptr);
  EXPECT_EQ(GetThemeNotifier(other), n);  // one notifier per program
  TRegMonitorThread* t = n->RegMonitorThread();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Key(), L"Software\\Microsoft\\Office\\14.0\\Common");
  EXPECT_EQ(t->Filter(), static_cast<DWORD>(REG_NOTIFY_CHANGE_LAST_SET));
  int fired = 0;
  TObject* sender = nullptr;
  n->OnOfficeThemeChange = [&](TObject* s) { ++fired, sender = s; };
  Receiver a(1), b(2);
  n->RegisterWindow(a.Handle);
  n->RegisterWindow(a.Handle);  // kept once
  n->RegisterWindow(b.Handle);
  EXPECT_EQ(t->WindowCount(), 2);
  // The watch arms itself on its own thread: a change made before that would
  // go unheard.
  ASSERT_TRUE(PumpUntil([&] { return t->Armed(); }));
  Value(L"14.0", L"Theme", 2);  // a value of the watched key
  // b comes last in a pass: once it has its message, the pass is over.
  ASSERT_TRUE(PumpUntil([&] { return b.Count() == 1; }));
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(sender, n);
  EXPECT_EQ(a.Count(), 1);
  n->UnRegisterWindow(a.Handle);
  // Armed again before the windows heard of the change.
  EXPECT_TRUE(t->Armed());
  {
    TRegistry reg;
    reg.OpenKey(L"\\Software\\Microsoft\\Office\\14.0\\Common\\Sub", true);  // a subkey's value counts too
    reg.WriteInteger(L"X", 1);
  }
  ASSERT_TRUE(PumpUntil([&] { return b.Count() == 2; }));
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(a.Count(), 1);
  n->Free();
  TThemeNotifier* again = GetThemeNotifier(nullptr);  // a new one after the first is gone
  EXPECT_FALSE(again->OnOfficeThemeChange);
  again->Free();
  other->Free();
  owner->Free();
}

TEST_F(OfficeFixture, TheWatchEventIsPrivateToTheNotifier) {
  Marker(L"14.0");
  TThemeNotifier* n = GetThemeNotifier(nullptr);
  TRegMonitorThread* t = n->RegMonitorThread();
  ASSERT_NE(t, nullptr);
  // The shared name is free: another program's watch could not wake this one.
  HANDLE shared = CreateEventW(nullptr, TRUE, FALSE, L"RegMonitorChange");
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  SetEvent(shared);
  EXPECT_EQ(WaitForSingleObject(t->Event(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(shared);
  n->Free();
}

TEST_F(OfficeFixture, AWatchThatCannotOpenItsKeyEndsWithTheError) {
  auto* t = new TRegMonitorThread(true);
  t->SetKey(L"Software\\No\\Such\\Office\\Key");
  t->Start();
  t->WaitFor();
  ASSERT_TRUE(t->FatalException());
  try {
    std::rethrow_exception(t->FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Unable to open registry key Software\\No\\Such\\Office\\Key");
  }
  t->Free();
}

// A watch without its event would wait on nothing and spin: it ends at once
// with the reason instead.
TEST_F(OfficeFixture, AWatchWithoutItsEventEndsWithTheError) {
  SetRegMonitorEventFactory([]() -> HANDLE {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  });
  auto* t = new TRegMonitorThread(true);
  SetRegMonitorEventFactory(nullptr);
  EXPECT_EQ(t->Event(), nullptr);
  Marker(L"14.0");
  t->SetKey(L"Software\\Microsoft\\Office\\14.0\\Common");
  t->Start();
  t->WaitFor();
  ASSERT_TRUE(t->FatalException());
  try {
    std::rethrow_exception(t->FatalException());
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message().rfind(L"The theme watch has no event to wait on: ", 0), 0u) << WideToAnsi(e.Message());
  }
  EXPECT_FALSE(t->Armed());
  t->Free();
}

TEST(HandleList, AddsFindsAndDeletesValues) {
  THandleList l;
  HWND a = reinterpret_cast<HWND>(1), b = reinterpret_cast<HWND>(2);
  l.Add(a);
  l.Insert(0, b);
  EXPECT_EQ(l.Items(0), b);
  EXPECT_TRUE(l.HasValue(a));
  l.DeleteValue(reinterpret_cast<HWND>(3));  // absent: nothing
  EXPECT_EQ(l.Count(), 2);
  l.DeleteValue(b);
  EXPECT_EQ(l.Count(), 1);
  l.SetItems(0, b);
  EXPECT_FALSE(l.HasValue(a));
  l.Delete(0);
  EXPECT_EQ(l.Count(), 0);
  EXPECT_THROW(l.Items(0), EListError);
}
