// The styled popup windows, read back from real menus: position, region,
// rings and the joint to the bar; the background picture cache; and the
// window list of an MDI frame's main menu.
#include <gtest/gtest.h>

#include "base/Picture.h"
#include "tests/controls/menus/MenuDriver.h"
#include "tests/support/Gui.h"
#include "ui/controls/menus/AdvMenuDraw.h"
#include "ui/controls/menus/AdvMenuUtil.h"

namespace {

constexpr TColor kBorder = 0x0000C0;
constexpr TColor kBack = 0x00C000;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner = new TForm(nullptr);
    Popup = new TAdvPopupMenu(Owner);
    Paint(Popup->GetCurrentMenuStyler());
  }
  void TearDown() override { Owner->Free(); }

  static void Paint(TCustomAdvMenuStyler* S) {
    S->SetMenuBorderColor(kBorder);
    S->Background()->SetColor(0, kBack);
    S->Background()->SetColor(1, clNone);
  }
  TMenuItem* Add(TMenu* Menu, const String& Caption, TMenuItem* Parent = nullptr, TComponent* Owns = nullptr) {
    auto* i = new TMenuItem(Owns ? Owns : Owner);
    i->SetCaption(Caption);
    (Parent ? Parent : Menu->Items())->Add(i);
    return i;
  }

  TForm* Owner = nullptr;
  TAdvPopupMenu* Popup = nullptr;
};

// What a styled window looked like when the test read it.
struct Seen {
  TRect Created, Now, Region;
  TBitmap* Shot = nullptr;
  ~Seen() {
    if (Shot) Shot->Free();
  }
  void Read(HWND W, const TMenuWindowRecorder& Recorder) {
    Created = Recorder.Created(W);
    RECT r;
    GetWindowRect(W, &r);
    Now = TRect(r);
    Region = WindowRegionBox(W);
    Shot = CaptureWindow(W);
  }
  TColor At(int X, int Y) const { return PixelAt(Shot, X, Y); }
};

}  // namespace

TEST_F(FrameTest, PopupWindowIsMovedCutAndFramedInTwoRings) {
  Add(Popup, L"One");
  Add(Popup, L"Two");
  Add(Popup, L"Three");
  TMenuWindowRecorder recorder;
  Seen seen;
  LRESULT erased = 0;
  {
    TMenuIdleHook hook([&](HWND w) {
      seen.Read(w, recorder);
      HDC dc = GetDC(w);
      erased = SendMessageW(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(w, dc);
      EndMenu();
    });
    Popup->Popup(200, 150);
    ASSERT_TRUE(hook.Ran());
  }
  ASSERT_FALSE(seen.Created.IsEmpty());
  int w = seen.Now.Width(), h = seen.Now.Height();
  EXPECT_EQ(seen.Now, TRect(seen.Created.left - 1, seen.Created.top - 2, seen.Created.right - 1,
                            seen.Created.bottom - 2));
  EXPECT_EQ(seen.Region, TRect(1, 1, w - 1 - MenuColumnWidth, h - 1));
  EXPECT_EQ(erased, 1);
  int right = w - 1 - MenuColumnWidth - 1;  // the outer ring's right column
  for (int y = 2; y < h - 2; y += 3) {
    EXPECT_EQ(seen.At(1, y), kBorder) << y;
    EXPECT_EQ(seen.At(right, y), kBorder) << y;
  }
  for (int y = 3; y < h - 3; y += 3) {
    EXPECT_EQ(seen.At(2, y), kBack) << y;
    EXPECT_EQ(seen.At(right - 1, y), kBack) << y;
  }
  // No bar item above a popup's top window: the top ring is whole.
  for (int x = 1; x <= right; ++x) EXPECT_EQ(seen.At(x, 1), kBorder) << x;
  for (int x = 2; x < right; ++x) EXPECT_EQ(seen.At(x, 2), kBack) << x;
  EXPECT_EQ(seen.At(5, h - 2), kBorder);
}

TEST_F(FrameTest, ShowingAWindowAgainCutsItAgain) {
  Add(Popup, L"One");
  Add(Popup, L"Two");
  TRect first, hidden, again;
  {
    TMenuIdleHook hook([&](HWND w) {
      first = WindowRegionBox(w);
      ShowWindow(w, SW_HIDE);
      hidden = WindowRegionBox(w);
      ShowWindow(w, SW_SHOWNA);
      again = WindowRegionBox(w);
      EndMenu();
    });
    Popup->Popup(100, 100);
    ASSERT_TRUE(hook.Ran());
  }
  EXPECT_FALSE(first.IsEmpty());
  EXPECT_TRUE(hidden.IsEmpty());  // hiding takes the region away
  EXPECT_EQ(again, first);
}

TEST_F(FrameTest, SubMenusMoveTowardsTheirParent) {
  Add(Popup, L"Alpha");
  TMenuItem* more = Add(Popup, L"More");
  Add(Popup, L"Child one", more);
  Add(Popup, L"Child two", more);
  TMenuWindowRecorder recorder;
  int c = MenuColumnWidth;
  auto openSub = [&](int X, Seen& Parent, Seen& Sub) {
    TMenuIdleHook hook([&](HWND top) {
      PostMenuKey(VK_DOWN);
      PostMenuKey(VK_DOWN);
      PostMenuKey(VK_RIGHT);
      AfterMenuSettles([&, top] {
        std::vector<HWND> open = OpenMenuWindows();
        for (HWND w : open) (w == top ? Parent : Sub).Read(w, recorder);
        EndMenu();
      });
    });
    Popup->Popup(X, 200);
    EXPECT_TRUE(hook.Ran());
    EXPECT_FALSE(hook.TimedOut());
  };
  {
    Seen parent, sub;
    openSub(100, parent, sub);
    ASSERT_NE(sub.Shot, nullptr);
    ASSERT_FALSE(sub.Created.IsEmpty());
    EXPECT_GT(sub.Now.left, parent.Now.left);  // it opened to the right
    EXPECT_EQ(sub.Now.left, sub.Created.left - c + 3);
    EXPECT_EQ(sub.Now.Width(), sub.Created.Width() + c);
    EXPECT_EQ(sub.Now.right, sub.Created.right + 3);
    EXPECT_EQ(sub.Now.top, sub.Created.top);
    EXPECT_EQ(sub.Region, TRect(1, 1, sub.Created.Width() - 1 - c, sub.Created.Height() - 1));
    // The frame's right edge lies on the region's.
    EXPECT_EQ(sub.At(sub.Region.right - 1, 5), kBorder);
  }
  {
    Seen parent, sub;
    openSub(Screen->DesktopWidth() - 60, parent, sub);
    ASSERT_NE(sub.Shot, nullptr);
    EXPECT_LT(sub.Now.left, parent.Now.left);  // no room on the right
    EXPECT_EQ(sub.Now.left, sub.Created.left + c + 3);
    EXPECT_EQ(sub.Now.Width(), sub.Created.Width() - c);
    EXPECT_EQ(sub.Now.right, sub.Created.right + 3);
    EXPECT_EQ(sub.At(sub.Region.right - 1, 5), kBorder);
  }
}

TEST_F(FrameTest, BarDropDownJoinsItsBarItem) {
  auto* bar = new TAdvMainMenu(Owner);
  Paint(bar->GetCurrentMenuStyler());
  TMenuItem* file = Add(bar, L"File");
  Add(bar, L"Open", file);
  Add(bar, L"Exit", file);
  TMenuItem* edit = Add(bar, L"Edit");
  Add(bar, L"Copy", edit);
  // Items added at run time are hooked when an update ends (a stored menu
  // hooks them when it is loaded).
  bar->BeginUpdate();
  bar->EndUpdate();
  Owner->SetMenu(bar);
  Owner->SetBounds(50, 50, 400, 200);
  Owner->Show();
  PumpFor(50);
  TMenuWindowRecorder recorder;
  Seen drop;
  RECT barItem{};
  bool opened = false;
  {
    TMenuIdleHook hook(
        [&](HWND) {
          PostMenuKey(VK_DOWN);
          AfterMenuSettles([&] {
            std::vector<HWND> open = OpenMenuWindows();
            if (!open.empty()) {
              opened = true;
              drop.Read(open.front(), recorder);
              GetMenuItemRect(Owner->Handle(), bar->Handle(), 0, &barItem);
            }
            EndMenu();
          });
        },
        Owner);
    PostMessageW(Owner->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    PumpUntil([&] { return hook.Ran() && OpenMenuWindows().empty(); });
    EXPECT_FALSE(hook.TimedOut());
  }
  ASSERT_TRUE(opened);
  int w = drop.Now.Width(), h = drop.Now.Height();
  EXPECT_EQ(drop.Now.left, drop.Created.left - 1);
  EXPECT_EQ(drop.Now.top, drop.Created.top - 2);
  EXPECT_EQ(drop.Region, TRect(1, 1, w - 1 - MenuColumnWidth, h - 1));
  // The top ring is erased above the bar item, except its first and last
  // pixel.
  int jl = barItem.left - drop.Now.left, jr = barItem.right - drop.Now.left;
  ASSERT_GT(jr - jl, 4);
  EXPECT_EQ(drop.At(jl, 1), kBorder);
  for (int x = jl + 1; x < jr - 1; ++x) EXPECT_EQ(drop.At(x, 1), kBack) << x;
  int right = w - 1 - MenuColumnWidth - 1;
  for (int x = Max(jr, 2); x <= right; ++x) EXPECT_EQ(drop.At(x, 1), kBorder) << x;
  EXPECT_EQ(drop.At(1, h / 2), kBorder);
  EXPECT_EQ(drop.At(2, h / 2), kBack);
}

TEST_F(FrameTest, BarDropDownJoinsItsBarItemPastHiddenBarItems) {
  // Visible and hidden bar items before the one that opens: the joint
  // follows the item where the bar shows it.
  struct Case {
    int Visible, Hidden;
  } cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.Visible << " visible, " << k.Hidden << " hidden");
    auto* form = new TForm(nullptr);
    auto* bar = new TAdvMainMenu(form);
    Paint(bar->GetCurrentMenuStyler());
    for (int i = 0; i < k.Visible + k.Hidden; ++i) {
      TMenuItem* item = Add(bar, String(L"Item") + IntToStr(i), nullptr, form);
      Add(bar, L"Sub", item, form);
      if (i >= k.Visible) item->SetVisible(false);
    }
    TMenuItem* file = Add(bar, L"File", nullptr, form);
    Add(bar, L"Open", file, form);
    Add(bar, L"Exit", file, form);
    bar->BeginUpdate();
    bar->EndUpdate();
    form->SetMenu(bar);
    form->SetBounds(50, 50, 600, 200);
    form->Show();
    PumpFor(50);
    TMenuWindowRecorder recorder;
    Seen drop;
    RECT barItem{};
    bool opened = false;
    {
      TMenuIdleHook hook(
          [&](HWND) {
            for (int i = 0; i < k.Visible; ++i) PostMenuKey(VK_RIGHT);
            PostMenuKey(VK_DOWN);
            AfterMenuSettles([&] {
              std::vector<HWND> open = OpenMenuWindows();
              if (!open.empty()) {
                opened = true;
                drop.Read(open.front(), recorder);
                GetMenuItemRect(form->Handle(), bar->Handle(), static_cast<UINT>(k.Visible), &barItem);
              }
              EndMenu();
            });
          },
          form);
      PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
      PumpUntil([&] { return hook.Ran() && OpenMenuWindows().empty(); });
      EXPECT_FALSE(hook.TimedOut());
    }
    ASSERT_TRUE(opened);
    int jl = barItem.left - drop.Now.left, jr = barItem.right - drop.Now.left;
    ASSERT_GT(jr - jl, 4);
    EXPECT_EQ(drop.At(jl, 1), kBorder);
    for (int x = jl + 1; x < jr - 1; ++x) EXPECT_EQ(drop.At(x, 1), kBack) << x;
    EXPECT_EQ(drop.At(jr - 1, 1), kBorder);
    form->Free();
    PumpFor(20);
  }
}

TEST_F(FrameTest, ANewBackgroundPictureShowsAtTheSameSize) {
  for (int i = 0; i < 4; ++i) Add(Popup, L"");
  TBackground* bg = Popup->GetCurrentMenuStyler()->Background();
  bg->SetPosition(TBackgroundPosition::bpStretched);
  auto show = [&](TColor Color) {
    TBitmap pic(40, 40, TPixelFormat::pf24bit);
    pic.Canvas()->Brush()->SetColor(Color);
    pic.Canvas()->FillRect(TRect(0, 0, 40, 40));
    pic.Canvas()->SetPixels(0, 39, 0x777777);  // the transparent corner
    TPicture p;
    p.SetGraphic(&pic);
    bg->SetImage(&p);
    TColor seen = clNone;
    TMenuIdleHook hook([&](HWND w) {
      TBitmap* shot = CaptureWindow(w);
      RECT r;
      GetWindowRect(w, &r);
      seen = PixelAt(shot, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
      shot->Free();
      EndMenu();
    });
    Popup->Popup(300, 300);
    return seen;
  };
  EXPECT_EQ(show(0x0000FF), 0x0000FF);
  // Same size, another picture: the cache must not show the old one.
  EXPECT_EQ(show(0xFF0000), 0xFF0000);
}

// ---------------------------------------------------------------------------
// The MDI window list

namespace {

class MdiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Application->MainForm(), nullptr);
    Application->CreateForm(Frame);
    Frame->SetFormStyle(TFormStyle::fsMDIForm);
    Frame->SetBounds(0, 0, 640, 480);
    Bar = new TAdvMainMenu(Frame);
    auto* file = new TMenuItem(Frame);
    file->SetCaption(L"File");
    Bar->Items()->Add(file);
    Window = new TMenuItem(Frame);
    Window->SetCaption(L"Window");
    Bar->Items()->Add(Window);
    auto* tile = new TMenuItem(Frame);
    tile->SetCaption(L"Tile");
    Window->Add(tile);
  }
  void TearDown() override {
    if (Frame) Frame->Free();
    SetStyledAppearanceSource(nullptr);
  }
  TForm* Child(const String& Caption) {
    auto* c = new TForm(Frame);
    c->SetFormStyle(TFormStyle::fsMDIChild);
    c->SetCaption(Caption);
    c->Show();
    return c;
  }
  std::vector<String> ListAfterMarker(TMenuItem** Marker = nullptr) {
    std::vector<String> v;
    int at = -1;
    for (int i = 0; i < Window->Count(); ++i)
      if (Window->Items(i)->ShortCut() == 0xABCD) at = i;
    if (Marker) *Marker = at >= 0 ? Window->Items(at) : nullptr;
    for (int i = at + 1; at >= 0 && i < Window->Count(); ++i) v.push_back(Window->Items(i)->Caption());
    return v;
  }

  TForm* Frame = nullptr;
  TAdvMainMenu* Bar = nullptr;
  TMenuItem* Window = nullptr;
};

}  // namespace

TEST_F(MdiTest, ChildrenAreListedSortedAfterAMarker) {
  Frame->SetMenu(Bar);
  Frame->SetWindowMenu(Window);
  Frame->Show();
  HWND client = Frame->ClientHandle();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(client, GWLP_WNDPROC)), &MdiClientWindowProc);
  TForm* beta = Child(L"Beta");
  TForm* alpha = Child(L"alpha");
  TForm* gamma = Child(L"Gamma");
  SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(beta->Handle()), 0);
  LRESULT answer = SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
  EXPECT_EQ(reinterpret_cast<HMENU>(answer), Bar->Handle());
  TMenuItem* marker = nullptr;
  EXPECT_EQ(ListAfterMarker(&marker), (std::vector<String>{L"1 alpha", L"2 Beta", L"3 Gamma"}));
  ASSERT_NE(marker, nullptr);
  EXPECT_EQ(marker->Caption(), L"-");
  EXPECT_TRUE(marker->Visible());
  EXPECT_EQ(Window->Items(0)->Caption(), L"Tile");
  TForm* order[] = {alpha, beta, gamma};
  for (int i = 0; i < 3; ++i) {
    TMenuItem* item = Window->Items(Window->IndexOf(marker) + 1 + i);
    EXPECT_TRUE(item->RadioItem());
    EXPECT_EQ(item->GroupIndex(), 205);
    EXPECT_EQ(item->Tag(), reinterpret_cast<intptr_t>(order[i]->Handle()));
    EXPECT_EQ(item->Checked(), order[i] == beta);
  }
  // Again: the old list goes, the marker stays.
  int count = Window->Count();
  SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
  TMenuItem* again = nullptr;
  EXPECT_EQ(ListAfterMarker(&again).size(), 3u);
  EXPECT_EQ(again, marker);
  EXPECT_EQ(Window->Count(), count);

  // A click on a list item activates its child and checks it.
  TMenuItem* first = Window->Items(Window->IndexOf(marker) + 1);
  first->Click();
  EXPECT_EQ(Frame->ActiveMDIChild(), alpha);
  EXPECT_TRUE(first->Checked());
  // Without a window in Tag, or from something else, nothing happens.
  auto* stray = new TMenuItem(Frame);
  Bar->WindowListClick(stray);
  Bar->WindowListClick(Frame);
  EXPECT_EQ(Frame->ActiveMDIChild(), alpha);
}

TEST_F(MdiTest, TheActiveChildsIconSitsLeftOfTheFirstBarItem) {
  Frame->SetMenu(Bar);
  Frame->Show();
  TForm* child = Child(L"One");
  SendMessageW(Frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ASSERT_EQ(Frame->ActiveMDIChild(), child);
  PumpFor(50);
  RECT bar{}, win{};
  ASSERT_TRUE(GetMenuItemRect(Frame->Handle(), Bar->Handle(), 0, &bar));
  GetWindowRect(Frame->Handle(), &win);
  const int top = bar.top - win.top, bottom = bar.bottom - win.top;
  ASSERT_GE(bottom - top, 18);
  constexpr TColor kFrom = 0x00C000, kTo = 0x0000C0;
  TRootItem* root = Bar->GetCurrentMenuStyler()->RootItem();
  root->SetColor(kFrom);
  root->SetColorTo(kTo);
  TBitmap scratch(100, 30, TPixelFormat::pf32bit);
  struct Case {
    int Left;
    TGradientDirection Direction;
    bool Drawn;
  } cases[] = {
      {4, TGradientDirection::gdHorizontal, false},   // too far left
      {12, TGradientDirection::gdHorizontal, false},  // narrower than the icon
      {60, TGradientDirection::gdHorizontal, true},
      {60, TGradientDirection::gdVertical, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.Left << (k.Direction == TGradientDirection::gdVertical ? " vertical" : ""));
    // The bar as the platform painted it.
    RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    TBitmap* before = CaptureWindow(Frame->Handle());
    root->SetGradientDirection(k.Direction);
    TAdvMainMenu::AdvancedDrawItem(Bar, Bar->Items()->Items(0), scratch.Canvas(), TRect(k.Left, top, k.Left + 40, bottom),
                                   {});
    TBitmap* after = CaptureWindow(Frame->Handle());
    if (!k.Drawn) {
      for (int x = 4; x < k.Left; ++x) EXPECT_EQ(PixelAt(after, x, top + 1), PixelAt(before, x, top + 1)) << x;
    } else {
      // The root colours from x = 4 up to the item, the icon 16 x 16 at its
      // right end, two pixels down.
      EXPECT_EQ(PixelAt(after, 4, top), kFrom);
      EXPECT_EQ(PixelAt(after, k.Left - 1, top), kFrom);
      EXPECT_EQ(PixelAt(after, k.Left - 17, bottom - 1), PixelAt(after, 4, bottom - 1));
      if (k.Direction == TGradientDirection::gdHorizontal)
        EXPECT_EQ(PixelAt(after, 4, bottom - 1), kFrom);
      else
        EXPECT_NE(PixelAt(after, 4, bottom - 1), kFrom);
      int icon = 0;
      for (int y = top + 2; y < top + 18; ++y)
        for (int x = k.Left - 16; x < k.Left; ++x)
          if (PixelAt(after, x, y) != PixelAt(after, k.Left - 17, y)) ++icon;
      EXPECT_GT(icon, 0);
    }
    before->Free();
    after->Free();
  }
}

TEST_F(MdiTest, AFailedListRebuildStillEndsTheUpdate) {
  Frame->SetMenu(Bar);
  Frame->SetWindowMenu(Window);
  Frame->Show();
  Child(L"One");
  int failures = 0;
  TExceptionEvent savedHandler = Application->OnException;
  Application->OnException = [&](TObject*, const Exception&) { ++failures; };
  // The application's change handler fails while the list is rebuilt.
  Bar->OnChange = [](TObject*, TMenuItem*, bool) { throw Exception(L"change refused"); };
  LRESULT answer = SendMessageW(Frame->ClientHandle(), WM_MDIREFRESHMENU, 0, 0);
  Bar->OnChange = nullptr;
  Application->OnException = savedHandler;
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(failures, 1);
  EXPECT_FALSE(Bar->MenuUpdating());
  EXPECT_EQ(Bar->UpdateRef(), 0);
  // The next refresh works as ever.
  SendMessageW(Frame->ClientHandle(), WM_MDIREFRESHMENU, 0, 0);
  EXPECT_EQ(ListAfterMarker(), (std::vector<String>{L"1 One"}));
}

TEST_F(MdiTest, AFormWithoutWindowMenuLeavesTheRefreshToThePlatform) {
  Frame->SetMenu(Bar);
  Frame->Show();
  HWND client = Frame->ClientHandle();
  ASSERT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(client, GWLP_WNDPROC)), &MdiClientWindowProc);
  Child(L"Only");
  LRESULT ours = SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
  LRESULT platform = CallWindowProcW(Bar->FOldWndProcPtr, client, WM_MDIREFRESHMENU, 0, 0);
  EXPECT_EQ(ours, platform);
  EXPECT_EQ(Window->Count(), 1);  // nothing of ours was added
}

namespace {
WNDPROC gTheirsPrevious = nullptr;  // our procedure, which they call on
LRESULT CALLBACK TheirProc(HWND W, UINT M, WPARAM WP, LPARAM LP) {
  return CallWindowProcW(gTheirsPrevious, W, M, WP, LP);
}
}  // namespace

TEST_F(MdiTest, TheMenuGivesBackOnlyAProcedureThatIsStillItsOwn) {
  Frame->SetMenu(Bar);
  Frame->SetWindowMenu(Window);
  Frame->Show();
  HWND client = Frame->ClientHandle();
  WNDPROC original = Bar->FOldWndProcPtr;
  ASSERT_NE(original, nullptr);
  // Someone subclasses the client after us: freeing the menu leaves it so.
  gTheirsPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TheirProc)));
  Frame->SetMenu(nullptr);
  Bar->Free();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(client, GWLP_WNDPROC)), &TheirProc);
  // The client gets its own procedure back for the rest of the test.
  SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  SetWindowLongPtrW(client, GWLP_USERDATA, 0);
  // A menu still hooked when its frame goes (the client first) frees cleanly.
  auto* bar2 = new TAdvMainMenu(Frame);
  Frame->SetMenu(bar2);
  ASSERT_EQ(bar2->FOldWndHandle, client);
  EXPECT_EQ(bar2->FOldWndProcPtr, original);
  Frame->Free();
  Frame = nullptr;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(MdiTest, NoHookUnderAVisualStyle) {
  SetStyledAppearanceSource([] { return true; });
  Frame->SetMenu(Bar);
  Frame->SetWindowMenu(Window);
  Frame->Show();
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Frame->ClientHandle(), GWLP_WNDPROC)),
            &MdiClientWindowProc);
  EXPECT_EQ(Bar->FOldWndHandle, nullptr);
}
