#include <gtest/gtest.h>

#include <functional>

#include "tests/toolbar/stylers/StylerDoubles.h"
#include "ui/controls/menus/AdvMenuStylers.h"
#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

using Strings = std::vector<std::string>;

namespace {

// A styler with a named dock panel, toolbar and pager registered in that
// order.
struct StylerFixture : ::testing::Test {
  TComponent* Owner = new TComponent(nullptr);
  TCustomAdvToolBarStyler* Styler = new TCustomAdvToolBarStyler(Owner);
  TFakeDockPanel* Panel = Make<TFakeDockPanel>(L"Panel");
  TFakeToolBar* Bar = Make<TFakeToolBar>(L"Bar");
  TFakePager* Pager = Make<TFakePager>(L"Pager");

  StylerFixture() {
    Panel->SetToolBarStyler(Styler);
    Styler->AddControl(Bar);
    Pager->SetToolBarStyler(Styler);
    StylerLog.clear();
  }
  ~StylerFixture() override { Owner->Free(); }

  template <class T>
  T* Make(const wchar_t* Name) {
    auto* c = new T(Owner);
    c->SetName(Name);
    return c;
  }
  // What one action broadcasts, as the log of its receivers.
  Strings Heard(const std::function<void()>& Action) {
    StylerLog.clear();
    Action();
    return StylerLog;
  }
};

Strings All(int Kind) {
  const std::string k = std::to_string(Kind);
  return {"Panel:" + k, "Bar:" + k, "Pager:" + k};
}

}  // namespace

TEST_F(StylerFixture, StartsWithItsDefaults) {
  EXPECT_EQ(Styler->RightHandleColor(), 0x9E9E9E);
  EXPECT_EQ(Styler->RightHandleColorTo(), 0);
  EXPECT_EQ(Styler->RightHandleColorHot(), 0xD2BDB6);
  EXPECT_EQ(Styler->RightHandleColorDown(), 0x76C1FF);
  EXPECT_EQ(Styler->RightHandleColorDownTo(), 0x2DA0FF);
  EXPECT_EQ(Styler->FloatingWindowBorderColor(), 0x6D6D6D);
  EXPECT_EQ(Styler->FloatingWindowBorderWidth(), 2);
  EXPECT_EQ(Styler->BorderColor(), clNone);
  EXPECT_EQ(Styler->ColorHot()->Color(), clNone);
  EXPECT_EQ(Styler->ColorHot()->ColorTo(), clNone);
  EXPECT_EQ(Styler->DockColor()->Color(), clWhite);
  EXPECT_EQ(Styler->DockColor()->ColorTo(), clBtnFace);
  EXPECT_EQ(Styler->DragGripStyle(), TDragGripStyle::dsDots);
  EXPECT_EQ(Styler->BackGroundDisplay(), TBackGroundDisplay::bdTile);
  EXPECT_TRUE(Styler->BackGroundTransparent());
  EXPECT_TRUE(Styler->RoundEdges());
  EXPECT_FALSE(Styler->UseBevel());
  EXPECT_FALSE(Styler->Transparent());
  EXPECT_EQ(Styler->FormBorderColor(), 0x808080);
  EXPECT_EQ(Styler->KelStyle(), TKelStyle::tsOffice2003Blue);
  EXPECT_EQ(Styler->CurrentAdvMenuStyler(), Styler->InternalAdvMenuStyler());
  EXPECT_EQ(Styler->InternalAdvMenuStyler()->Name(), L"InternalMenuStyler");
  EXPECT_EQ(Styler->InternalAdvMenuStyler()->ClassName(), L"TAdvMenuStyler");
  EXPECT_EQ(Styler->CaptionFont()->Name(), GetSystemFontName());
  EXPECT_EQ(Styler->Font()->Name(), GetSystemFontName());
}

TEST_F(StylerFixture, EverySettingBroadcastsItsKind) {
  TBitmap bmp;
  TFont font;
  TTabAppearance tab;
  auto* menus = new TAdvMenuStyler(Owner);
  const struct {
    const char* Name;
    std::function<void()> Action;
    int Kind;  // 0: nothing is broadcast
  } cases[] = {
      {"BackGround", [&] { Styler->SetBackGround(&bmp); }, 1},
      {"BackGroundTransparent", [&] { Styler->SetBackGroundTransparent(false); }, 1},
      {"BackGroundTransparent same", [&] { Styler->SetBackGroundTransparent(false); }, 0},
      {"BackGroundDisplay", [&] { Styler->SetBackGroundDisplay(TBackGroundDisplay::bdCenter); }, 1},
      {"Font", [&] { Styler->SetFont(&font); }, 1},
      {"BorderColor", [&] { Styler->SetBorderColor(1); }, 2},
      {"BorderColor same", [&] { Styler->SetBorderColor(1); }, 0},
      {"BorderColorHot", [&] { Styler->SetBorderColorHot(1); }, 2},
      {"Color", [&] { Styler->Color()->SetColor(1); }, 2},
      {"DockColor", [&] { Styler->DockColor()->SetSteps(64); }, 2},
      {"CaptionAppearance", [&] { Styler->CaptionAppearance()->SetCaptionColor(1); }, 2},
      {"CaptionFont", [&] { Styler->SetCaptionFont(&font); }, 2},
      {"RightHandleImage", [&] { Styler->SetRightHandleImage(&bmp); }, 2},
      {"RightHandleColorDownTo", [&] { Styler->SetRightHandleColorDownTo(1); }, 2},
      {"FloatingWindowBorderColor", [&] { Styler->SetFloatingWindowBorderColor(1); }, 2},
      {"FloatingWindowBorderWidth", [&] { Styler->SetFloatingWindowBorderWidth(3); }, 2},
      {"RoundEdges same", [&] { Styler->SetRoundEdges(true); }, 2},
      {"UseBevel", [&] { Styler->SetUseBevel(true); }, 2},
      {"Bevel", [&] { Styler->SetBevel(TBevelCut::bvRaised); }, 2},
      {"ShowShadow", [&] { Styler->SetShowShadow(false); }, 2},
      {"Show3D", [&] { Styler->SetShow3D(false); }, 2},
      {"UpdateStyle", [&] { Styler->UpdateStyle(); }, 2},
      {"ContainerAppearance", [&] { Styler->ContainerAppearance()->SetLine3D(false); }, 4},
      {"DragGripStyle", [&] { Styler->SetDragGripStyle(TDragGripStyle::dsNone); }, 5},
      {"DragGripStyle same", [&] { Styler->SetDragGripStyle(TDragGripStyle::dsNone); }, 0},
      {"AdvMenuStyler", [&] { Styler->SetAdvMenuStyler(menus); }, 6},
      {"GlowButtonAppearance", [&] { Styler->GlowButtonAppearance()->SetColor(1); }, 7},
      {"CompactGlowButtonAppearance", [&] { Styler->CompactGlowButtonAppearance()->SetColor(1); }, 7},
      {"TabAppearance", [&] { Styler->TabAppearance()->SetColorHot(1); }, 10},
      {"PageAppearance", [&] { Styler->PageAppearance()->SetColor(1); }, 10},
      {"GroupAppearance", [&] { Styler->GroupAppearance()->TabAppearance()->SetColor(1); }, 10},
      {"PagerCaption", [&] { Styler->PagerCaption()->SetTextColor(1); }, 11},
      {"SysButtonColor", [&] { Styler->SetSysButtonColor(1); }, 11},
      {"QATAppearance", [&] { Styler->QATAppearance()->SetColor(1); }, 12},
      {"ColorHot", [&] { Styler->ColorHot()->SetColor(1); }, 0},
      {"ButtonAppearance", [&] { Styler->ButtonAppearance()->SetColor(1); }, 0},
      {"AppColor", [&] { Styler->AppColor()->SetHoverColor(1); }, 0},
      {"DragGripImage", [&] { Styler->SetDragGripImage(&bmp); }, 0},
      {"FormBorderColor", [&] { Styler->SetFormBorderColor(1); }, 0},
      {"SystemFont", [&] { Styler->SetSystemFont(false); }, 0},
      {"Color by copy", [&] { Styler->SetColor(Styler->Color()); }, 0},
      {"TabAppearance by copy, same", [&] { Styler->SetTabAppearance(&tab); }, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Heard(c.Action), c.Kind ? All(c.Kind) : Strings{}) << c.Name;
}

TEST_F(StylerFixture, NothingIsBroadcastInsideAnUpdateOrWhileLoading) {
  EXPECT_EQ(Heard([&] {
              Styler->BeginUpdate();
              Styler->BeginUpdate();
              Styler->SetBorderColor(5);
              Styler->EndUpdate();
              Styler->SetBorderColor(6);
              Styler->EndUpdate();
              Styler->EndUpdate();  // never below 0
            }),
            Strings{});
  EXPECT_EQ(Styler->UpdateCount(), 0);
  EXPECT_EQ(Heard([&] { Styler->SetBorderColor(7); }), All(2));

  Owner->BeginLoading();
  auto* loading = new TCustomAdvToolBarStyler(Owner);
  loading->AddControl(Bar);
  EXPECT_EQ(Heard([&] { loading->SetBorderColor(1); }), Strings{});
  Owner->EndLoading();
  EXPECT_EQ(Heard([&] { loading->SetBorderColor(2); }), Strings{"Bar:2"});
}

TEST_F(StylerFixture, UnnamedControlsAreSkippedCompactClonesHearFirstAndFailuresAreSwallowed) {
  auto* unnamed = new TFakeToolBar(Owner);
  Styler->AddControl(unnamed);
  auto* clone = Make<TFakeToolBar>(L"Clone");
  Bar->Compact = clone;
  Bar->Throws = true;
  auto* last = Make<TFakeToolBar>(L"Last");
  Styler->AddControl(last);
  Styler->AddControl(nullptr);
  EXPECT_EQ(Heard([&] { Styler->UpdateStyle(); }),
            (Strings{"Panel:2", "Clone:2", "Bar:2", "Pager:2", "Last:2"}));
}

TEST_F(StylerFixture, AControlRegisteredTwiceHearsTwiceAndLeavesNoEntryWhenFreed) {
  Styler->AddControl(Bar);
  EXPECT_EQ(Heard([&] { Styler->UpdateStyle(); }), (Strings{"Panel:2", "Bar:2", "Pager:2", "Bar:2"}));
  Styler->RemoveControl(Bar);  // the first entry goes
  EXPECT_EQ(Styler->ControlList()->IndexOf(Bar), 2);
  Styler->AddControl(Bar);
  Bar->Free();
  EXPECT_EQ(Styler->ControlList()->Count(), 2);
  EXPECT_EQ(Heard([&] { Styler->UpdateStyle(); }), (Strings{"Panel:2", "Pager:2"}));
  Styler->RemoveControl(Panel);
  Styler->RemoveControl(Panel);  // not registered any more: nothing
  EXPECT_EQ(Styler->ControlList()->Count(), 1);
}

TEST_F(StylerFixture, AFreedMenuStylerGivesWayToTheInternalOne) {
  auto* menus = new TAdvMenuStyler(nullptr);
  Styler->SetAdvMenuStyler(menus);
  EXPECT_EQ(Styler->CurrentAdvMenuStyler(), menus);
  EXPECT_EQ(Heard([&] { menus->Free(); }), All(6));
  EXPECT_EQ(Styler->AdvMenuStyler(), nullptr);
  EXPECT_EQ(Styler->CurrentAdvMenuStyler(), Styler->InternalAdvMenuStyler());
}

TEST_F(StylerFixture, PagerGlassFollowsTheStyleCodeOncePerPager) {
  using K = TKelStyle;
  auto* second = Make<TFakePager>(L"Second");
  Styler->AddControl(second);
  Styler->AddControl(Pager);  // registered twice: handled once
  const struct {
    K Code;
    bool Glass, Scenic;
  } cases[] = {
      {K::tsWindows7, false, true},        {K::tsWindows8, false, true},   {K::tsOffice2010Blue, true, true},
      {K::tsOffice2010Silver, true, true}, {K::tsOffice2010Black, true, true}, {K::tsWindows10, false, false},
      {K::tsOffice2007Luna, false, false}, {K::tsOffice2016Black, false, false},
  };
  for (const auto& c : cases) {
    Pager->GlassCalls = second->GlassCalls = 0;
    Styler->UpdatePagerGlass(c.Code);
    EXPECT_EQ(Styler->NewKelStyle(), c.Code);
    for (TFakePager* p : {Pager, second}) {
      EXPECT_EQ(p->GlassCalls, 1);
      EXPECT_EQ(p->Glass, c.Glass) << static_cast<int>(c.Code);
      EXPECT_EQ(p->Scenic, c.Scenic) << static_cast<int>(c.Code);
    }
  }
  Pager->GlassCalls = 0;
  Styler->UpdatePagerGlass(K::tsOffice2010Blue);
  Styler->UpdatePagerGlass(K::tsCustom);
  EXPECT_EQ(Pager->GlassCalls, 2);  // a custom style still calls, and keeps the flags
  EXPECT_TRUE(Pager->Glass);
  EXPECT_TRUE(Pager->Scenic);
  EXPECT_EQ(Styler->FindPager(), static_cast<IToolBarStylerPager*>(Pager));
}

TEST_F(StylerFixture, FreeingTheStylerDetachesDockPanelsAndPagersOnly) {
  auto* other = new TCustomAdvToolBarStyler(Owner);
  auto* foreign = Make<TFakeDockPanel>(L"Foreign");
  foreign->SetToolBarStyler(other);
  Styler->AddControl(foreign);  // registered here, but uses another styler
  Styler->Free();
  EXPECT_EQ(Panel->ToolBarStyler(), nullptr);
  EXPECT_EQ(Pager->ToolBarStyler(), nullptr);
  EXPECT_EQ(foreign->ToolBarStyler(), other);
}

TEST_F(StylerFixture, AssignCopiesItsListAndRefusesOtherClasses) {
  auto* source = new TCustomAdvToolBarStyler(Owner);
  source->Color()->SetColor(1);
  source->DockColor()->SetColorTo(2);
  source->SetFloatingWindowBorderWidth(5);
  source->SetFormBorderColor(3);
  source->ButtonAppearance()->SetColorHot(4);
  source->SetShowShadow(false);
  source->SetRightHandleColor(6);
  source->SetBorderColor(7);
  source->GlowButtonAppearance()->SetColor(8);
  source->TabAppearance()->SetColor(9);
  auto* menus = new TAdvMenuStyler(Owner);
  menus->SetUseSystemFont(false);
  source->SetAdvMenuStyler(menus);
  Styler->Assign(source);
  EXPECT_EQ(Styler->Color()->Color(), 1);
  EXPECT_EQ(Styler->DockColor()->ColorTo(), 2);
  EXPECT_EQ(Styler->FloatingWindowBorderWidth(), 5);
  EXPECT_EQ(Styler->FormBorderColor(), 3);
  EXPECT_EQ(Styler->ButtonAppearance()->ColorHot(), 4);
  EXPECT_FALSE(Styler->ShowShadow());
  EXPECT_FALSE(Styler->InternalAdvMenuStyler()->UseSystemFont());
  EXPECT_EQ(Styler->AdvMenuStyler(), nullptr);
  EXPECT_EQ(Styler->RightHandleColor(), 0x9E9E9E);
  EXPECT_EQ(Styler->BorderColor(), clNone);
  EXPECT_NE(Styler->GlowButtonAppearance()->Color(), 8);
  EXPECT_NE(Styler->TabAppearance()->Color(), 9);
  TStringList list;
  EXPECT_THROW(Styler->Assign(&list), EConvertError);
}
