#include <gtest/gtest.h>

#include "base/FormatSettings.h"
#include "base/ImgList.h"
#include "tests/controls/statusbar/StatusBarFixture.h"

using PanelsFixture = BarFixture;

TEST_F(PanelsFixture, ANewPanelHasItsDefaults) {
  TAdvOfficeStatusPanel* p = Bar->Panels()->Add();
  EXPECT_EQ(p->Width(), 50);
  EXPECT_EQ(p->Style(), PS::psHTML);
  EXPECT_EQ(p->HTMLOffsetX(), 1);
  EXPECT_EQ(p->HTMLOffsetY(), 1);
  EXPECT_EQ(p->ImageIndex(), -1);
  EXPECT_EQ(p->AnimIndex(), 0);
  EXPECT_EQ(p->Alignment(), TAlignment::taLeftJustify);
  EXPECT_TRUE(p->Enabled());
  EXPECT_EQ(p->AppearanceStyle(), TPanelAppearanceStyle::psLight);
  EXPECT_FALSE(p->Button());
  EXPECT_EQ(p->MinWidth(), 20);
  EXPECT_FALSE(p->AutoSize());
  EXPECT_EQ(p->VAlignment(), TVerticalPanelAlignment::vpaCenter);
  EXPECT_EQ(p->Bevel(), TAdvOfficeStatusPanelBevel::pbNone);
  EXPECT_TRUE(p->ParentBiDiMode());
  EXPECT_EQ(p->TimeFormat(), FormatSettings().LongTimeFormat);
  EXPECT_EQ(p->DateFormat(), FormatSettings().ShortDateFormat);
  TProgressStyle* g = p->Progress();
  EXPECT_EQ(g->Min(), 0);
  EXPECT_EQ(g->Max(), 100);
  EXPECT_EQ(g->Level0Color(), clLime);
  EXPECT_EQ(g->Level3ColorTo(), 0xCACAFF);
  EXPECT_EQ(g->Level1Perc(), 70);
  EXPECT_EQ(g->Level2Perc(), 90);
  EXPECT_EQ(g->BackGround(), clNone);
  EXPECT_TRUE(g->ShowPercentage());
  EXPECT_TRUE(g->ShowGradient());
  EXPECT_FALSE(g->CompletionSmooth());
  EXPECT_EQ(p->GetDisplayName(), L"TAdvOfficeStatusPanel");
  p->SetText(L"chars: 0 / SMS: 0");
  EXPECT_EQ(p->GetDisplayName(), L"chars: 0 / SMS: 0");
  EXPECT_EQ(Bar->Version(), L"1.6.2.1");
  EXPECT_EQ(Bar->Height(), 19);
  EXPECT_EQ(Bar->Align(), TAlign::alBottom);
}

namespace {
// A panel with every setting away from its default.
void Decorate(TAdvOfficeStatusPanel* p, TCustomImageList* Images) {
  p->SetText(L"source");
  p->SetWidth(77);
  p->SetAlignment(TAlignment::taCenter);
  p->SetStyle(PS::psImage);
  p->SetDateFormat(L"yyyy");
  p->SetTimeFormat(L"hh");
  p->Progress()->SetPosition(33);
  p->Progress()->SetSuffix(L")");
  p->OfficeHint()->SetTitle(L"title");
  p->SetAppearanceStyle(TPanelAppearanceStyle::psDark);
  p->SetMinWidth(31);
  p->SetVAlignment(TVerticalPanelAlignment::vpaBottom);
  p->SetBiDiMode(TBiDiMode::bdRightToLeft);
  p->SetButton(true);
  p->SetEnabled(false);
  p->SetHTMLOffsetX(5);
  p->SetHTMLOffsetY(6);
  p->SetImageIndex(2);
  p->SetImageIndexes(1, 4);
  p->SetAnimationImages(Images);
  p->SetAnimationDelay(3);
  p->SetAnimated(true);
}

struct Carried {
  const char* Name;
  std::function<bool(TAdvOfficeStatusPanel*)> Copied;
  bool ByAssign;  // Assign copies it too
};

const Carried kSettings[] = {
    {"Text", [](TAdvOfficeStatusPanel* p) { return p->Text() == L"source"; }, true},
    {"Width", [](TAdvOfficeStatusPanel* p) { return p->Width() == 77; }, true},
    {"Alignment", [](TAdvOfficeStatusPanel* p) { return p->Alignment() == TAlignment::taCenter; }, true},
    {"Style", [](TAdvOfficeStatusPanel* p) { return p->Style() == PS::psImage; }, true},
    {"DateFormat", [](TAdvOfficeStatusPanel* p) { return p->DateFormat() == L"yyyy"; }, true},
    {"TimeFormat", [](TAdvOfficeStatusPanel* p) { return p->TimeFormat() == L"hh"; }, true},
    {"Progress", [](TAdvOfficeStatusPanel* p) { return p->Progress()->Position() == 33 && p->Progress()->Suffix() == L")"; }, true},
    {"OfficeHint", [](TAdvOfficeStatusPanel* p) { return p->OfficeHint()->Title() == L"title"; }, true},
    {"AppearanceStyle", [](TAdvOfficeStatusPanel* p) { return p->AppearanceStyle() == TPanelAppearanceStyle::psDark; }, true},
    {"MinWidth", [](TAdvOfficeStatusPanel* p) { return p->MinWidth() == 31; }, true},
    {"VAlignment", [](TAdvOfficeStatusPanel* p) { return p->VAlignment() == TVerticalPanelAlignment::vpaBottom; }, true},
    {"BiDiMode", [](TAdvOfficeStatusPanel* p) { return p->BiDiMode() == TBiDiMode::bdRightToLeft && !p->ParentBiDiMode(); }, false},
    {"Button", [](TAdvOfficeStatusPanel* p) { return p->Button(); }, false},
    {"Enabled", [](TAdvOfficeStatusPanel* p) { return !p->Enabled(); }, false},
    {"HTMLOffsetX", [](TAdvOfficeStatusPanel* p) { return p->HTMLOffsetX() == 5; }, false},
    {"HTMLOffsetY", [](TAdvOfficeStatusPanel* p) { return p->HTMLOffsetY() == 6; }, false},
    {"ImageIndex", [](TAdvOfficeStatusPanel* p) { return p->ImageIndex() == 2; }, false},
    {"ImageIndexes", [](TAdvOfficeStatusPanel* p) { return p->ImageCount() == 2 && p->ImageIndexes(1) == 4; }, false},
    {"AnimationImages", [](TAdvOfficeStatusPanel* p) { return p->AnimationImages() != nullptr; }, false},
    {"AnimationDelay", [](TAdvOfficeStatusPanel* p) { return p->AnimationDelay() == 3; }, false},
    {"Animated", [](TAdvOfficeStatusPanel* p) { return p->Animated(); }, false},
};
}  // namespace

TEST_F(PanelsFixture, AssignCopiesItsSettingsAndLeavesTheOthers) {
  TImageList* images = MakeImages(Form, {clRed});
  TAdvOfficeStatusPanel* src = Bar->Panels()->Add();
  Decorate(src, images);
  TAdvOfficeStatusPanel* dst = Bar->Panels()->Add();
  dst->Assign(src);
  for (const Carried& c : kSettings) EXPECT_EQ(c.Copied(dst), c.ByAssign) << c.Name;
  TAdvOfficeStatusPanel* viaItems = Bar->Panels()->Add();
  Bar->Panels()->SetItems(2, src);
  for (const Carried& c : kSettings) EXPECT_EQ(c.Copied(viaItems), c.ByAssign) << c.Name;
  EXPECT_THROW(dst->Assign(images), EConvertError);
  EXPECT_THROW(src->Progress()->Assign(src->OfficeHint()), EInvalidCast);
}

TEST_F(PanelsFixture, ReplacingAndFlippingPanelsCarriesEverySetting) {
  TImageList* images = MakeImages(Form, {clRed});
  auto* other = new TAdvOfficeStatusBar(Form);
  Decorate(other->Panels()->Add(), images);
  other->Panels()->Add()->SetText(L"second");
  Bar->SetPanels(other->Panels());
  ASSERT_EQ(Bar->Panels()->Count(), 2);
  for (const Carried& c : kSettings) EXPECT_TRUE(c.Copied(Bar->Panels()->Items(0))) << c.Name;

  // Flipped, the decorated panel comes last with all its settings; the
  // widths swap: the first takes the last's displayed width.
  Bar->Panels()->Items(1)->SetWidth(100);
  Bar->FlipChildren(true);
  EXPECT_EQ(Bar->Panels()->Items(0)->Text(), L"second");
  TAdvOfficeStatusPanel* last = Bar->Panels()->Items(1);
  for (const Carried& c : kSettings)
    if (std::string(c.Name) != "Width") EXPECT_TRUE(c.Copied(last)) << c.Name;
  EXPECT_EQ(last->Width(), 77);
  EXPECT_EQ(Bar->Panels()->Items(0)->Width(), Bar->ClientWidth() - 77);
  EXPECT_FALSE(Bar->Panels()->Items(0)->Button());
  // Nothing flips in simple mode.
  Bar->SetSimplePanel(true);
  Bar->FlipChildren(true);
  EXPECT_EQ(Bar->Panels()->Items(0)->Text(), L"second");
}

TEST_F(PanelsFixture, ImageIndexesFillGapsAndReadMinusOnePastTheEnd) {
  TAdvOfficeStatusPanel* p = Bar->Panels()->Add();
  p->SetImageIndexes(3, 7);
  ASSERT_EQ(p->ImageCount(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(p->ImageIndexes(i), -1);
  EXPECT_EQ(p->ImageIndexes(3), 7);
  EXPECT_EQ(p->ImageIndexes(4), -1);
  EXPECT_THROW(p->SetImageIndexes(-1, 1), EListError);
  p->ClearImageIndexes();
  EXPECT_EQ(p->ImageCount(), 0);
  p->SetAnimationDelay(2);
  p->SetAnimationDelay(-1);
  EXPECT_EQ(p->AnimationDelay(), 2);
  EXPECT_THROW(Bar->Panels()->Items(1), EListError);
  EXPECT_THROW(Bar->Panels()->Items(-1), EListError);
}

TEST_F(PanelsFixture, TextRepaintsTheWholeBarOnlyWhenItChanges) {
  AddPanel(100, PS::psText, L"a");
  AddPanel(100, PS::psText, L"b");
  Validate();
  Bar->Panels()->Items(1)->SetText(L"b");
  EXPECT_FALSE(Invalid());
  Bar->Panels()->Items(1)->SetText(L"c");
  TRect r;
  ASSERT_TRUE(Invalid(&r));
  EXPECT_EQ(r, Bar->ClientRect());
}

TEST_F(PanelsFixture, RepaintingSettersPaintAtOnceOutsideAnUpdate) {
  TAdvOfficeStatusPanel* p = AddPanel(100);
  Validate();
  int changes = 0;
  TNotifyEvent barHandler = Bar->Panels()->OnChange;
  Bar->Panels()->OnChange = [&](TObject* s) {
    ++changes;
    barHandler(s);
  };
  Bar->Panels()->BeginUpdate();
  p->SetStyle(PS::psDate);
  p->SetButton(true);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(Invalid());
  Bar->Panels()->EndUpdate();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(Invalid());
  p->SetButton(true);  // the same value: nothing
  EXPECT_EQ(changes, 1);
}

TEST_F(PanelsFixture, StepItStopsAtMax) {
  TAdvOfficeStatusPanel* p = AddPanel(100, PS::psProgress);
  p->Progress()->SetMax(2);
  p->StepIt();
  p->StepIt();
  p->StepIt();
  EXPECT_EQ(p->Progress()->Position(), 2);
  p->Progress()->SetPosition(500);  // stored as it is
  EXPECT_EQ(p->Progress()->Position(), 500);
}

// What a progress panel shows: whenever that changes, the panel is
// invalidated (and only the panel).
TEST_F(PanelsFixture, AProgressPanelRepaintsWheneverWhatItShowsChanges) {
  AddPanel(60);
  TAdvOfficeStatusPanel* p = AddPanel(120, PS::psProgress);
  TProgressStyle* g = p->Progress();
  struct Case {
    const char* Name;
    int Min, Max;
    TProgressIndication Indication;
    int From, To;
    bool Repaints;
  };
  const Case cases[] = {
      {"percentage moves", 10, 110, TProgressIndication::piPercentage, 10, 11, true},
      {"same rounded percentage", 0, 1000, TProgressIndication::piPercentage, 10, 11, false},
      {"absolute number moves", 0, 1000, TProgressIndication::piAbsolute, 10, 11, true},
      {"number without indication", 0, 1000, TProgressIndication::piNone, 20, 21, true},
      {"absolute with an empty range", 5, 5, TProgressIndication::piAbsolute, 6, 7, true},
      {"percentage with an empty range", 5, 5, TProgressIndication::piPercentage, 6, 7, false},
  };
  for (const Case& c : cases) {
    g->SetMin(c.Min);
    g->SetMax(c.Max);
    g->SetIndication(c.Indication);
    g->SetPosition(c.From);
    Validate();
    g->SetPosition(c.To);
    TRect r;
    EXPECT_EQ(Invalid(&r), c.Repaints) << c.Name;
    if (c.Repaints) EXPECT_EQ(r, Bar->GetPanelRect(1)) << c.Name;
  }
  // A number hidden behind the panel's text: only the bar counts.
  g->SetMin(0);
  g->SetMax(1000);
  g->SetShowPercentage(false);
  g->SetPosition(100);
  Validate();
  g->SetPosition(101);
  EXPECT_FALSE(Invalid());
}
