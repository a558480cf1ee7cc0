#include <gtest/gtest.h>

#include "base/ExtCtrls.h"
#include "base/HintAction.h"
#include "base/Hints.h"
#include "base/Shell.h"
#include "tests/controls/statusbar/StatusBarFixture.h"

namespace {
// A tall bar whose second panel holds one link; LinkAt is a point on it.
struct LinkFixture : BarFixture {
  TAdvOfficeStatusPanel* Panel;
  TPoint LinkAt;
  std::vector<String> Opened;
  std::vector<String> Clicked;

  LinkFixture() {
    Form->SetClientHeight(200);
    Bar->SetHeight(61);
    Bar->SetAntiAlias(TAntiAlias::aaNone);
    Bar->SetURLColor(0x00C000);
    AddPanel(100, PS::psText, L"plain");
    Panel = AddPanel(200, PS::psHTML);
    AddPanel(50);
    SetLink(L"app:x", L"");
    auto b = Paint();
    TRect box(10000, 10000, -1, -1);
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x)
        if (CountPixels(b.get(), TRect(x, y, x + 1, y + 1), 0x00C000, 40)) {
          box.left = Min<LONG>(box.left, x), box.top = Min<LONG>(box.top, y);
          box.right = Max<LONG>(box.right, x + 1), box.bottom = Max<LONG>(box.bottom, y + 1);
        }
    LinkAt = TPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    SetShellExecuteHook([this](HWND Wnd, const String& Verb, const String& File, const String& Params,
                               const String& Dir, int Show) -> INT_PTR {
      EXPECT_EQ(Wnd, nullptr);
      EXPECT_EQ(Verb, L"open");
      EXPECT_EQ(Params, L"");
      EXPECT_EQ(Dir, L"");
      EXPECT_EQ(Show, SW_SHOWNORMAL);
      Opened.push_back(File);
      return 42;
    });
    Bar->OnAnchorClick = [this](TObject* s, const String& a) {
      EXPECT_EQ(s, Bar);
      Clicked.push_back(a);
    };
  }
  ~LinkFixture() override { SetShellExecuteHook(nullptr); }

  void SetLink(const String& Href, const String& Title) {
    String t = Title.empty() ? L"" : L" title=\"" + Title + L"\"";
    Panel->SetText(L"<a href=\"" + Href + L"\"" + t + L">the link</a>");
  }
  void Click(UINT Down, UINT Up) {
    Mouse(Down, LinkAt.x, LinkAt.y);
    Mouse(Up, LinkAt.x, LinkAt.y);
  }
};
}  // namespace

TEST_F(LinkFixture, OnlyWebAndMailLinksReachTheShell) {
  struct Case {
    const wchar_t* Href;
    bool Shell;
  };
  const Case cases[] = {
      {L"http://example.org/update", true},
      {L"https://example.org", true},
      {L"mailto:someone@example.org", true},
      {L"HTTPS://EXAMPLE.ORG", true},
      {L"ftp://files.example.org/setup.exe", false},
      {L"file:///C:/windows/system32/calc.exe", false},
      {L"javascript:alert(1)", false},
      {L"C:\\tools\\run.exe --x=http://a", false},
      {L"app:update", false},
      {L"run://mailto:x", false},
  };
  for (const Case& c : cases) {
    Opened.clear();
    Clicked.clear();
    SetLink(c.Href, L"");
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(Opened, c.Shell ? std::vector<String>{c.Href} : std::vector<String>{}) << WideToAnsi(c.Href);
    EXPECT_EQ(Clicked, c.Shell ? std::vector<String>{} : std::vector<String>{c.Href}) << WideToAnsi(c.Href);
  }
}

TEST_F(LinkFixture, LinksFollowEveryButtonAfterThePanelClick) {
  std::vector<String> order;
  Bar->OnPanelClick = [&](TObject*, int i) { order.push_back(L"panel " + IntToStr(i)); };
  Bar->OnAnchorClick = [&](TObject*, const String& a) { order.push_back(L"anchor " + a); };
  Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
  Click(WM_RBUTTONDOWN, WM_RBUTTONUP);
  Click(WM_MBUTTONDOWN, WM_MBUTTONUP);
  EXPECT_EQ(order, (std::vector<String>{L"panel 1", L"anchor app:x", L"anchor app:x", L"anchor app:x"}));
  // Without a handler nothing happens; away from the link nothing either.
  Bar->OnAnchorClick = nullptr;
  Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
  Mouse(WM_LBUTTONDOWN, LinkAt.x, 3);
  Mouse(WM_LBUTTONUP, LinkAt.x, 3);
  EXPECT_EQ(order.size(), 6u);
  EXPECT_TRUE(Opened.empty());
}

TEST_F(LinkFixture, PanelHintsCarryTheOfficeHintOrTheLinksTitle) {
  Bar->Panels()->Items(0)->OfficeHint()->SetTitle(L"plain panel");
  Panel->OfficeHint()->SetTitle(L"html panel");
  Panel->OfficeHint()->Notes()->SetText(L"panel notes");
  auto ask = [&](int X, int Y, THintInfo& Info) {
    Info = THintInfo();
    Info.HintControl = Bar;
    Info.CursorPos = TPoint(X, Y);
    Info.HintStr = L"bar hint";
    return Bar->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info));
  };
  THintInfo info;
  // Over no panel nothing changes, and the hint shows.
  EXPECT_EQ(ask(450, 5, info), 0);
  EXPECT_EQ(info.HintControl, Bar);
  // A plain panel hands over its Office hint.
  EXPECT_EQ(ask(50, 5, info), 0);
  ASSERT_NE(info.HintControl, Bar);
  auto* carrier = dynamic_cast<TDummyHintControl*>(info.HintControl);
  ASSERT_NE(carrier, nullptr);
  EXPECT_EQ(carrier->OfficeHint()->Title(), L"plain panel");
  EXPECT_TRUE(carrier->ShowHint());
  // On a link without AnchorHint: the panel's hint.
  ask(LinkAt.x, LinkAt.y, info);
  EXPECT_EQ(carrier->OfficeHint()->Title(), L"html panel");
  EXPECT_EQ(info.HintStr, L"bar hint");
  // With AnchorHint: the link's title, else the link, beside the pointer.
  Bar->SetAnchorHint(true);
  SetLink(L"app:y", L"Get the update");
  ask(LinkAt.x, LinkAt.y, info);
  EXPECT_EQ(info.HintStr, L"Get the update");
  EXPECT_EQ(carrier->OfficeHint()->Title(), L"");
  EXPECT_EQ(carrier->OfficeHint()->Notes()->Text(), L"Get the update\r\n");
  TPoint s = Bar->ClientToScreen(LinkAt);
  EXPECT_EQ(info.HintPos, TPoint(s.x + 10, s.y - 10));
  SetLink(L"app:y", L"");
  ask(LinkAt.x, LinkAt.y, info);
  EXPECT_EQ(info.HintStr, L"app:y");
  // Elsewhere in the panel: its Office hint again.
  ask(LinkAt.x, 3, info);
  EXPECT_EQ(carrier->OfficeHint()->Title(), L"html panel");
  EXPECT_EQ(info.HintStr, L"bar hint");
}

// The Office hint window shows what the bar hands over: the panel's title in
// bold above its notes, the link's title, or the plain hint.
TEST_F(LinkFixture, TheOfficeHintWindowShowsThePanelsHint) {
  struct Restore {
    ~Restore() {
      Application->CancelHint();
      SetHintWindowClass(nullptr);
    }
  } restore;
  SetHintWindowClass(MakeOfficeHintWindow);
  Bar->SetShowHint(true);
  Bar->SetHint(L"bar hint");
  TAdvHintInfo* h = Bar->Panels()->Items(0)->OfficeHint();
  h->SetTitle(L"Characters");
  h->Notes()->SetText(L"Typed so far\r\nand the parts they take");
  auto show = [&](TPoint P) -> TOfficeHintWindow* {
    Application->CancelHint();
    Application->ActivateHint(Bar->ClientToScreen(P));
    THintWindow* w = Application->HintWindow();
    if (!w || !w->HandleAllocated() || !IsWindowVisible(w->Handle())) return nullptr;
    return dynamic_cast<TOfficeHintWindow*>(w);
  };

  TOfficeHintWindow* w = show(TPoint(50, 5));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Shown()->Title(), L"Characters");
  EXPECT_EQ(w->Shown()->Notes()->Count(), 2);
  const TRect t = w->TitleRect(), n = w->NotesRect();
  EXPECT_LT(t.bottom, n.top);
  EXPECT_GE(n.Height(), 2 * t.Height() - 2);  // two lines of notes
  EXPECT_LE(n.bottom, w->ClientHeight());
  EXPECT_LE(Max(t.right, n.right), w->ClientWidth());
  // The title is bold: wider than the same text in the regular font.
  TBitmap probe(1, 1);
  probe.Canvas()->Font()->Assign(w->Font());
  EXPECT_GT(t.Width(), probe.Canvas()->TextWidth(L"Characters"));
  // Ink in the title and the notes, none between them.
  std::unique_ptr<TBitmap> b(PaintToBitmap(w));
  const TColor ink = ColorToRGB(w->Font()->Color());
  EXPECT_GT(CountPixels(b.get(), t, ink, 60), 10);
  EXPECT_GT(CountPixels(b.get(), n, ink, 60), 10);
  EXPECT_EQ(CountPixels(b.get(), TRect(0, t.bottom, w->ClientWidth(), n.top), ink, 60), 0);

  // A panel without an Office hint shows the plain hint.
  w = show(TPoint(350, 5));
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Shown()->IsEmpty());
  EXPECT_EQ(w->Text(), L"bar hint");

  // Over a link with AnchorHint: the link's title as the notes.
  Bar->SetAnchorHint(true);
  SetLink(L"app:y", L"Get the update");
  w = show(LinkAt);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Shown()->Title(), L"");
  EXPECT_EQ(w->Shown()->Notes()->Text(), L"Get the update\r\n");

  // Back to the plain hint window.
  SetHintWindowClass(nullptr);
  Application->CancelHint();
  Application->ActivateHint(Bar->ClientToScreen(TPoint(50, 5)));
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(dynamic_cast<TOfficeHintWindow*>(Application->HintWindow()), nullptr);
  EXPECT_EQ(Application->HintWindow()->Text(), L"bar hint");
}

TEST_F(LinkFixture, MovingToAnotherPanelCancelsTheHint) {
  Bar->SetShowHint(true);
  Bar->SetHint(L"status");
  Mouse(WM_MOUSEMOVE, 50, 5);
  Application->ActivateHint(Bar->ClientToScreen(TPoint(50, 5)));
  ASSERT_EQ(Application->HintControl(), Bar);
  Mouse(WM_MOUSEMOVE, 60, 5);  // the same panel
  EXPECT_EQ(Application->HintControl(), Bar);
  Mouse(WM_MOUSEMOVE, 150, 5);
  EXPECT_EQ(Application->HintControl(), nullptr);
}

TEST_F(LinkFixture, HintActionsFillTheFirstPanelOrTheSimpleText) {
  auto* action = new THintAction(Form);
  action->SetHint(L"Saving the message");
  auto* other = new TCustomAction(Form);
  other->SetHint(L"other");
  EXPECT_FALSE(Bar->ExecuteAction(action));  // AutoHint is off
  Bar->SetAutoHint(true);
  EXPECT_FALSE(Bar->ExecuteAction(other));
  EXPECT_TRUE(Bar->ExecuteAction(action));
  EXPECT_EQ(Bar->Panels()->Items(0)->Text(), L"Saving the message");
  Bar->SetSimplePanel(true);
  action->SetHint(L"simple");
  EXPECT_TRUE(Bar->ExecuteAction(action));
  EXPECT_EQ(Bar->SimpleText(), L"simple");
  EXPECT_EQ(Bar->Panels()->Items(0)->Text(), L"Saving the message");
  // With an OnHint handler the text goes nowhere by itself.
  int hints = 0;
  Bar->OnHint = [&](TObject*) { ++hints; };
  action->SetHint(L"handled");
  EXPECT_FALSE(Bar->ExecuteAction(action));
  EXPECT_EQ(hints, 1);
  EXPECT_EQ(Bar->SimpleText(), L"simple");
}

namespace {
TEST(StatusHints, TheLongHintIsThePartAfterTheBar) {
  const struct {
    const wchar_t* Hint;
    const wchar_t* Long;
  } cases[] = {{L"Send|Sends the SMS", L"Sends the SMS"}, {L"Send", L"Send"}, {L"Send|", L""}, {L"", L""},
               {L"a|b|c", L"b|c"}};
  for (const auto& c : cases) EXPECT_EQ(GetLongHint(c.Hint), c.Long) << c.Hint;
}

// The application's hint follows the pointer through the message loop and
// reaches a bar with AutoHint as a hint action.
TEST_F(BarFixture, ThePointersHintReachesTheBarThroughTheApplication) {
  // The real pointer rests where no window of the test lies.
  SetCursorPos(0, 0);
  AddPanel(100);
  AddPanel(100);
  auto* send = new TPanel(Form);
  send->SetParent(Form);
  send->SetBounds(10, 10, 80, 30);
  send->SetHint(L"Send|Sends the typed message now");
  auto* call = new TPanel(Form);
  call->SetParent(Form);
  call->SetBounds(100, 10, 80, 30);
  call->SetHint(L"Calls the contact");
  send->HandleNeeded();
  call->HandleNeeded();
  auto moveOver = [&](TWinControl* C) { PostMessageW(C->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); };
  TAdvOfficeStatusPanel* first = Bar->Panels()->Items(0);

  // Without AutoHint the bar keeps its text.
  first->SetText(L"kept");
  moveOver(send);
  ASSERT_TRUE(PumpUntil([] { return ApplicationHint() == L"Sends the typed message now"; }));
  EXPECT_EQ(first->Text(), L"kept");

  Bar->SetAutoHint(true);
  moveOver(call);
  ASSERT_TRUE(PumpUntil([&] { return first->Text() == L"Calls the contact"; }));
  EXPECT_EQ(Bar->Panels()->Items(1)->Text(), L"");
  moveOver(send);
  ASSERT_TRUE(PumpUntil([&] { return first->Text() == L"Sends the typed message now"; }));
  // Where nothing has a hint, the text goes.
  moveOver(Form);
  ASSERT_TRUE(PumpUntil([&] { return first->Text().empty(); }));

  // In simple mode the simple text takes it; an OnHint handler takes it
  // instead of the bar.
  Bar->SetSimplePanel(true);
  moveOver(call);
  ASSERT_TRUE(PumpUntil([&] { return Bar->SimpleText() == L"Calls the contact"; }));
  int hints = 0;
  Bar->OnHint = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Bar);
    ++hints;
  };
  moveOver(send);
  ASSERT_TRUE(PumpUntil([&] { return hints == 1; }));
  EXPECT_EQ(Bar->SimpleText(), L"Calls the contact");
  EXPECT_TRUE(first->Text().empty());
}
}  // namespace
