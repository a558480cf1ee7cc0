// The pager's caption text and tab-group strips on glass, drawn through the
// composited window theme. Wine has neither composition nor that theme:
// glass is forced through the composition stand-ins and the theme through
// the theme data and theme text stand-ins.
#include <string>
#include <vector>

#include "tests/support/Gui.h"
#include "tests/toolbar/ribbon/PagerTestSupport.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"
#include "ui/toolbar/runtime/ThemeBinding.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

HTHEME const kTheme = reinterpret_cast<HTHEME>(0x5A5A);

struct ThemeText {
  String Text;
  DWORD Flags;
  TRect Rect;
  COLORREF Color;
  int GlowSize, Part, State;
  DWORD Options;
};
std::vector<ThemeText> gTexts;
std::vector<String> gOpened;

HTHEME OpenComposited(HWND, LPCWSTR Classes) {
  gOpened.emplace_back(Classes);
  return String(Classes) == L"CompositedWindow::Window" ? kTheme : nullptr;
}
HTHEME OpenNothing(HWND, LPCWSTR Classes) {
  gOpened.emplace_back(Classes);
  return nullptr;
}
HRESULT RecordText(HTHEME Theme, HDC, int Part, int State, LPCWSTR Text, int Length, DWORD Flags, LPRECT R,
                   const DTTOPTS* O) {
  if (Theme != kTheme) return E_FAIL;
  gTexts.push_back({String(Text, Length), Flags, TRect(R->left, R->top, R->right, R->bottom), O->crText,
                    O->iGlowSize, Part, State, O->dwFlags});
  return S_OK;
}

HRESULT ComposedYes(BOOL& Enabled) {
  Enabled = TRUE;
  return S_OK;
}
HRESULT ExtendOk(HWND, const MARGINS&) { return S_OK; }

const TColor kMirrorTo = 0x0000FF;  // red
const TColor kColor = 0x00FF00;     // green
const TColor kBorder = 0xFF0000;    // blue

int Red(TColor C) { return C & 0xFF; }
int Green(TColor C) { return (C >> 8) & 0xFF; }
int Blue(TColor C) { return (C >> 16) & 0xFF; }

struct GlassCaptionFixture : RibbonFormFixture {
  void SetUp() override {
    RibbonFormFixture::SetUp();
    gTexts.clear();
    gOpened.clear();
    SetThemeTextSink(RecordText);
    SetThemeDataSource(OpenComposited);
  }
  void TearDown() override {
    RibbonFormFixture::TearDown();
    SetDwmCompositionSource(nullptr);
    SetDwmExtendFrameSink(nullptr);
    SetThemeDataSource(nullptr);
    SetThemeTextSink(nullptr);
  }
  // A ribbon form on glass with three pages, the middle two in a tab group
  // of its own colours; TabGlass turns the tabs' glass (and the scenic
  // look) on.
  void Make(bool TabGlass, bool Scenic) {
    SetIsAeroAvailableSource([](TComponent*) { return true; });
    SetDwmCompositionSource(ComposedYes);
    SetDwmExtendFrameSink(ExtendOk);
    RibbonFormFixture::Make(60, 60, 640, 360);
    for (const wchar_t* caption : {L"Home", L"Insert", L"Layout"}) {
      auto* page = new TAdvPage(Form);
      page->SetCaption(caption);
      Pager->AddAdvPage(page);
    }
    Group = Pager->TabGroups()->Add();
    Group->SetTabIndexStart(1);
    Group->SetTabIndexEnd(2);
    Group->SetCaption(L"Table Tools");
    Group->SetCaptionAlignment(TAlignment::taCenter);
    Group->SetDefaultAppearance(false);
    Group->GroupAppearance()->SetColorMirrorTo(kMirrorTo);
    Group->GroupAppearance()->SetColor(kColor);
    Group->GroupAppearance()->SetBorderColor(kBorder);
    Pager->Caption()->SetCaption(L"Report - Vantrel");
    Pager->TabSettings()->SetGlass(TabGlass);
    Pager->SetWin7ScenicRibbon(Scenic);
    PumpFor(5);
  }
  TRect GroupRect() {
    bool visible = false, complete = false;
    TRect r = Pager->GetTabGroupRect(0, visible, complete);
    EXPECT_TRUE(visible);
    return r;
  }
  TTabGroupItem* Group = nullptr;
};

DWORD const kTextFlags = DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS;

}  // namespace

// ---------------------------------------------------------------------------
// Strips

TEST_F(GlassCaptionFixture, TheTabGroupStripOnTheCaptionLayerFollowsTheGlassAndScenicLook) {
  struct Case {
    const char* Name;
    bool TabGlass, Scenic;
  } cases[] = {{"glass", true, true}, {"scenic", false, true}, {"plain", false, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Make(k.TabGlass, k.Scenic);
    ASSERT_EQ(Pager->IsGlassActive(false), k.TabGlass);
    TCaptionLayer* layer = Pager->CaptionLayer();
    ASSERT_NE(layer, nullptr);
    ASSERT_TRUE(layer->Visible());
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(layer));
    const TRect g = GroupRect();
    const int tabsTop = Pager->GetTabsArea().top;
    ASSERT_GT(tabsTop, 12);
    const int midX = (g.left + g.right) / 2 - layer->Left();
    TColor top = PixelAt(bmp.get(), midX, 2), low = PixelAt(bmp.get(), midX, tabsTop - 2),
           high = PixelAt(bmp.get(), midX, 8);
    if (k.TabGlass) {
      // An opaque bar along the top, the strip fading in below it, the
      // edges in lines of their own.
      EXPECT_EQ(top, kMirrorTo);
      EXPECT_GE(Red(high), 70);
      EXPECT_LE(Red(low), 205);
      EXPECT_GT(Red(low), Red(high));
      EXPECT_LE(Green(low), 2);
      EXPECT_LE(Blue(low), 2);
      const int y = (8 + tabsTop) / 2;
      TColor outer = BlendColor(kMirrorTo, clWhite, 20);
      TColor edge = PixelAt(bmp.get(), g.left - layer->Left(), y);
      EXPECT_NEAR(Red(edge), Red(outer), 3);
      EXPECT_NEAR(Green(edge), Green(outer), 3);
      EXPECT_NEAR(Blue(edge), Blue(outer), 3);
      EXPECT_EQ(PixelAt(bmp.get(), g.left + 1 - layer->Left(), y), kBorder);
    } else if (k.Scenic) {
      // The group's colour in a frame of its border colour, raised by 3.
      TColor inside = PixelAt(bmp.get(), midX, tabsTop - 5), below = PixelAt(bmp.get(), midX, tabsTop - 1);
      EXPECT_LE(Red(inside), 2);
      EXPECT_GE(Green(inside), 140);
      EXPECT_LE(Green(inside), 205);
      EXPECT_LE(Green(below), 2);
      EXPECT_EQ(PixelAt(bmp.get(), midX, 0) & 0xFFFFFF, 0);
    } else {
      // A fade in the mirror colour, stronger toward the tabs.
      EXPECT_EQ(Green(low), 0);
      EXPECT_GT(Red(low), Red(high));
      EXPECT_LE(Red(low), 135);
      EXPECT_EQ(Red(top), 0);
    }
    // With glass on the caption a faint white shade fades down the caption
    // rectangle, short of its right end.
    const TRect cr = layer->ClientRect();
    TColor shade = PixelAt(bmp.get(), 10, cr.bottom - 24), end = PixelAt(bmp.get(), cr.right - 20, cr.bottom - 24);
    EXPECT_EQ(Pager->IsGlassActive(true), k.TabGlass);
    if (k.TabGlass) {
      EXPECT_GE(Red(shade), 8);
      EXPECT_LE(Red(shade), 16);
      EXPECT_EQ(Green(shade), Red(shade));
      EXPECT_EQ(Blue(shade), Red(shade));
    } else {
      EXPECT_EQ(shade & 0xFFFFFF, 0);
    }
    EXPECT_EQ(end & 0xFFFFFF, 0);
    // Left of the group nothing of its colours.
    const int before = g.left - layer->Left() - 6;
    EXPECT_LT(Red(PixelAt(bmp.get(), before, tabsTop - 2)), 20);
    RibbonFormFixture::TearDown();
    SetUp();
  }
}

TEST_F(GlassCaptionFixture, WithoutTheCompositedThemeNothingIsDrawn) {
  SetThemeDataSource(OpenNothing);
  Make(true, true);
  TCaptionLayer* layer = Pager->CaptionLayer();
  ASSERT_NE(layer, nullptr);
  std::unique_ptr<TBitmap> bmp(PaintToBitmap(layer));
  ASSERT_FALSE(gOpened.empty());
  EXPECT_EQ(gOpened.back(), L"CompositedWindow::Window");
  EXPECT_TRUE(gTexts.empty());
  const TRect g = GroupRect();
  EXPECT_NE(PixelAt(bmp.get(), (g.left + g.right) / 2 - layer->Left(), 2), kMirrorTo);
}

// ---------------------------------------------------------------------------
// Texts through the theme

TEST_F(GlassCaptionFixture, TheThemeReceivesTheGroupCaptionAndThePagerCaption) {
  struct Case {
    const char* Name;
    bool TabGlass, Scenic, Layer;
    TAlignment Alignment;
    DWORD AlignFlag;
  } cases[] = {
      {"plain, centred", false, false, true, TAlignment::taCenter, DT_CENTER},
      {"scenic, right", false, true, true, TAlignment::taRightJustify, DT_RIGHT},
      {"left, without the layer", false, false, false, TAlignment::taLeftJustify, 0},
      {"glass", true, true, true, TAlignment::taCenter, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    Make(k.TabGlass, k.Scenic);
    Group->SetCaptionAlignment(k.Alignment);
    TWinControl* painted = Pager->CaptionLayer();
    ASSERT_NE(painted, nullptr);
    if (!k.Layer) {
      // The flat look leaves the layer out; with glass back on the pager
      // hands the texts over itself.
      TColorTones t;
      MetroColorTones(true, 0x30A050, clNone, t);
      Pager->SetColorTones(t);
      Pager->SetAeroVista(true);
      ASSERT_FALSE(Pager->UseCaptionLayer());
      ASSERT_FALSE(Pager->CaptionLayer()->Visible());
      painted = Pager;
    }
    const int offset = k.Layer ? Pager->CaptionLayer()->Left() : 0;
    gTexts.clear();
    std::unique_ptr<TBitmap> bmp(PaintToBitmap(painted));
    std::vector<ThemeText> texts = gTexts;
    for (const ThemeText& t : texts) {
      EXPECT_EQ(t.Part, 1);
      EXPECT_EQ(t.State, 1);
      EXPECT_EQ(t.GlowSize, 12);
      EXPECT_EQ(t.Options, DWORD(DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED));
      EXPECT_EQ(t.Color, COLORREF(ColorToRGB(clWindowText)));
    }
    // The group caption goes through the theme only off glass (on glass it
    // is drawn with its own glow); every paint hands over the same texts.
    const TRect g = GroupRect();
    const size_t n = k.TabGlass ? 1 : 2;
    ASSERT_FALSE(texts.empty());
    ASSERT_EQ(texts.size() % n, 0u);
    texts.erase(texts.begin(), texts.end() - n);
    if (!k.TabGlass) {
      EXPECT_EQ(texts[0].Text, L"Table Tools");
      EXPECT_EQ(texts[0].Flags, kTextFlags | k.AlignFlag);
      EXPECT_EQ(texts[0].Rect, TRect(g.left - offset + 6, 6, g.right - offset, Pager->GetTabsArea().top));
    }
    const ThemeText& c = texts.back();
    EXPECT_EQ(c.Text, L"Report - Vantrel");
    EXPECT_EQ(c.Flags, kTextFlags);
    TAlignment a;
    TRect box = Pager->GetCaptionTextRect(a);
    OSVERSIONINFOW v = GetVersionExInfo();
    bool win8 = v.dwMajorVersion > 6 || (v.dwMajorVersion == 6 && v.dwMinorVersion > 1);
    EXPECT_EQ(c.Rect, TRect(box.left + 8 - offset, box.top + (win8 ? 4 : 6),
                            box.right - offset - 105 + Pager->Caption()->RightIndent(), box.bottom));
    RibbonFormFixture::TearDown();
    SetUp();
  }
}
