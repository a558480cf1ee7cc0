#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "base/ImgList.h"
#include "tests/support/Gui.h"

// The disabled look needs the platform's full record; a 32-bit size makes
// comctl32 ignore the state and draw the image in colour.
static_assert(sizeof(IMAGELISTDRAWPARAMS) == 88, "x86_64 layout of IMAGELISTDRAWPARAMS");

namespace {
TBitmap* Solid(int W, int H, TColor Color, TPixelFormat Format = TPixelFormat::pf24bit) {
  auto* b = new TBitmap(W, H, Format);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}

struct ImageListFixture : ::testing::Test {
  TImageList* List = new TImageList(nullptr, 8, 8);
  TBitmap* Target = Solid(20, 10, clWhite, TPixelFormat::pf32bit);
  ~ImageListFixture() override {
    List->Free();
    Target->Free();
  }
};
}  // namespace

TEST_F(ImageListFixture, DrawsEnabledInColourAndDisabledAsGreyLuminance) {
  TBitmap* red = Solid(8, 8, clRed);
  ASSERT_EQ(List->Add(red, nullptr), 0);
  red->Free();
  List->Draw(Target->Canvas(), 0, 0, 0, true);
  List->Draw(Target->Canvas(), 10, 0, 0, false);
  EXPECT_EQ(PixelAt(Target, 4, 4), clRed);
  TColor grey = PixelAt(Target, 14, 4);
  // Saturation removed: the three channels equal, red's luminance (~0x4C).
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
  EXPECT_NEAR(grey & 0xFF, 0x4C, 8);
}

TEST_F(ImageListFixture, AddMaskedLeavesTheMaskColourTransparent) {
  TBitmap* pic = Solid(8, 8, clFuchsia);
  pic->Canvas()->Brush()->SetColor(clBlue);
  pic->Canvas()->FillRect(TRect(2, 2, 6, 6));
  ASSERT_EQ(List->AddMasked(pic, clFuchsia), 0);
  pic->Free();
  Target->Canvas()->Brush()->SetColor(clLime);
  Target->Canvas()->FillRect(TRect(0, 0, 20, 10));
  List->Draw(Target->Canvas(), 0, 0, 0);
  EXPECT_EQ(PixelAt(Target, 0, 0), clLime);
  EXPECT_EQ(PixelAt(Target, 3, 3), clBlue);
}

TEST_F(ImageListFixture, ChangeLinksHearEachChangeUntilTheyLeave) {
  int a = 0, b = 0;
  TObject* sender = nullptr;
  auto* linkA = new TChangeLink;
  auto* linkB = new TChangeLink;
  linkA->OnChange = [&](TObject* s) { ++a; sender = s; };
  linkB->OnChange = [&](TObject*) { ++b; };
  List->RegisterChanges(linkA);
  List->RegisterChanges(linkA);  // once only
  List->RegisterChanges(linkB);
  TBitmap* pic = Solid(8, 8, clRed);
  List->Add(pic, nullptr);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(sender, List);
  linkB->Free();  // unregisters itself
  List->BeginUpdate();
  List->Add(pic, nullptr);
  List->Add(pic, nullptr);
  EXPECT_EQ(a, 1);
  List->EndUpdate();  // one change for the bracket
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  EXPECT_EQ(List->Count(), 3);
  List->Clear();
  EXPECT_EQ(a, 3);
  EXPECT_EQ(List->Count(), 0);
  pic->Free();
  // A list freed first leaves its links unattached, and they end safely.
  List->Free();
  List = new TImageList(nullptr);
  EXPECT_EQ(linkA->Sender(), nullptr);
  linkA->Free();
}

TEST_F(ImageListFixture, WideBitmapsSplitAndCopiesComeBack) {
  TBitmap* strip = Solid(16, 8, clRed);
  strip->Canvas()->Brush()->SetColor(clBlue);
  strip->Canvas()->FillRect(TRect(8, 0, 16, 8));
  EXPECT_EQ(List->Add(strip, nullptr), 0);
  strip->Free();
  EXPECT_EQ(List->Count(), 2);
  TBitmap copy(1, 1, TPixelFormat::pf32bit);
  ASSERT_TRUE(List->GetBitmap(1, &copy));
  EXPECT_EQ(copy.Width(), 8);
  EXPECT_EQ(PixelAt(&copy, 4, 4), clBlue);
  EXPECT_FALSE(List->GetBitmap(2, &copy));
  TIcon icon;
  ASSERT_TRUE(List->GetIcon(0, &icon));
  EXPECT_EQ(icon.Width(), 8);
  EXPECT_EQ(List->AddIcon(&icon), 2);
}
