#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "tests/html/HtmlTestData.h"
#include "tests/support/Gui.h"
#include "ui/draw/HtmlHelpers.h"

namespace {

// The smallest rectangle holding every pixel that is not white.
TRect InkBounds(TBitmap* b) {
  TRect r(b->Width(), b->Height(), -1, -1);
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x)
      if (PixelAt(b, x, y) != clWhite) {
        r.left = Min<LONG>(r.left, x);
        r.top = Min<LONG>(r.top, y);
        r.right = Max<LONG>(r.right, x + 1);
        r.bottom = Max<LONG>(r.bottom, y + 1);
      }
  return r;
}

TEST(ColorNames, TableLookupIsExactAndLowerCase) {
  struct Case {
    const wchar_t* name;
    TColor color;
  } cases[] = {
      {L"clblack", 0},           {L"black", 0},          {L"clred", 0x0000FF},     {L"clnavy", 0x800000},
      {L"clteal", 0x808000},     {L"clmaroon", 0x000080}, {L"CLRED", 0},           {L"cl3ddkshadow", SystemColor(0x15)},
      {L"clinfobk", SystemColor(0x18)}, {L"clbtnface", SystemColor(0x0F)}, {L"clnone", 0},       {L"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorFromName(c.name), c.color) << c.name;
}

TEST(ColorNames, HexColoursAreRedGreenBlue) {
  EXPECT_EQ(ColorFromHex(L"#FF8000"), 0x0080FF);
  EXPECT_EQ(ColorFromHex(L"#000000"), 0);
  EXPECT_EQ(ColorFromHex(L"#0000FF"), 0xFF0000);
  EXPECT_EQ(ColorFromHex(L"#1"), 0);
  EXPECT_EQ(ColorFromHex(L"#"), 0);
  EXPECT_EQ(ColorFromHex(L"#12345"), 0x3412);  // blue pair cut short counts 0
  EXPECT_EQ(HexPairToByte(L"7F"), 0x7F);
  EXPECT_EQ(HexPairToByte(L"F"), 0);
  EXPECT_EQ(HexPairToByte(L""), 0);
}

TEST(LooseNumbers, ReadWhatReadsAndStopAtTheRest) {
  struct Case {
    const wchar_t* text;
    int value;
  } cases[] = {
      {L"42", 42},         {L"  42abc", 42},      {L"-7", -7},           {L"+5", 5},
      {L"$1F", 31},        {L"0x10", 16},         {L"0X1f", 31},         {L"", 0},
      {L"abc", 0},         {L"12 34", 12},        {L"-", 0},             {L"$", 0},
      {L"99999999999", INT_MAX}, {L"-99999999999", INT_MIN}, {L"$FFFFFFFF", -1},
      {L"$FFFFFFFFFFFF", -1},    {L"2147483647", INT_MAX},   {L"-2147483648", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToIntLoose(c.text), c.value) << c.text;
}

TEST(TextHelpers, PositionsAndReplacementIgnoringCase) {
  EXPECT_EQ(PosNoCase(L"ab", L"xxAB"), 3);
  EXPECT_EQ(PosNoCase(L"q", L"xxAB"), 0);
  int p = -1;
  EXPECT_EQ(PosAt(L"B", L"abB", p), 3);
  EXPECT_EQ(p, 3);
  EXPECT_EQ(PosAt(L"C", L"abB", p), 0);
  EXPECT_EQ(p, 0);
  String s = L"one TWO two";
  EXPECT_TRUE(ReplaceFirstNoCase(L"two", L"2", s));
  EXPECT_EQ(s, L"one 2 two");
  EXPECT_FALSE(ReplaceFirstNoCase(L"three", L"3", s));
  EXPECT_EQ(s, L"one 2 two");
}

TEST(Gradient, ZeroStepsIsOneBandOfTheFromColour) {
  auto b = WhiteBitmap(40, 10);
  DrawSteppedGradient(b->Canvas(), clRed, clBlue, true, TRect(0, 0, 40, 10), 0);
  EXPECT_EQ(CountPixels(b.get(), TRect(0, 0, 40, 10), clRed), 400);
}

TEST(Gradient, TwoStepsRoundHalvesToEven) {
  // Black to white in two steps: black, then 127.5 rounded to 128.
  for (bool horizontal : {true, false}) {
    auto b = WhiteBitmap(40, 40);
    DrawSteppedGradient(b->Canvas(), clBlack, clWhite, horizontal, TRect(0, 0, 40, 40), 2);
    if (horizontal) {
      EXPECT_EQ(PixelAt(b.get(), 5, 20), 0);
      EXPECT_EQ(PixelAt(b.get(), 35, 20), 0x808080);
    } else {
      EXPECT_EQ(PixelAt(b.get(), 20, 5), 0);
      EXPECT_EQ(PixelAt(b.get(), 20, 35), 0x808080);
    }
  }
}

TEST(Gradient, BandsCoverTheRectangleWithoutGaps) {
  auto b = WhiteBitmap(103, 5);
  DrawSteppedGradient(b->Canvas(), clBlack, clBlack, true, TRect(0, 0, 103, 5), 7);
  EXPECT_EQ(CountPixels(b.get(), TRect(0, 0, 103, 5), clBlack), 103 * 5);
  // More bands than pixels: one-pixel bands.
  auto c = WhiteBitmap(40, 30);
  DrawSteppedGradient(c->Canvas(), clBlack, clBlack, false, TRect(0, 0, 40, 30), 64);
  EXPECT_EQ(CountPixels(c.get(), TRect(0, 0, 40, 30), clBlack), 40 * 30);
}

TEST(Gradient, SystemColoursAreResolvedAndOutlineDrawn) {
  auto b = WhiteBitmap(30, 30);
  DrawGradientBands(b->Canvas(), clBtnFace, clBtnFace, true, TRect(0, 0, 30, 30), 4, clRed);
  EXPECT_EQ(PixelAt(b.get(), 15, 15), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(b.get(), 0, 15), clRed);
  EXPECT_EQ(PixelAt(b.get(), 29, 15), clRed);
  auto c = WhiteBitmap(30, 30);
  DrawGradientBands(c->Canvas(), clGreen, clGreen, true, TRect(0, 0, 30, 30), 4, clNone);
  EXPECT_EQ(PixelAt(c.get(), 0, 15), clGreen);
}

TEST(RotatedFont, SelectAndRestore) {
  auto b = WhiteBitmap(10, 10);
  TCanvas* c = b->Canvas();
  c->Font()->SetOrientation(50);
  int kept = 0;
  SelectRotatedFont(c, 90, kept);
  EXPECT_EQ(c->Font()->Orientation(), 900);
  RestoreRotatedFont(c, kept);
  EXPECT_EQ(c->Font()->Orientation(), 50);
}

TEST(BiDiFlags, OnlyOnRightToLeftLocales) {
  SetSysLocaleMiddleEast(0);
  EXPECT_EQ(BiDiDrawFlags(DT_LEFT, TBiDiMode::bdRightToLeft), static_cast<UINT>(DT_LEFT));
  SetSysLocaleMiddleEast(1);
  EXPECT_EQ(BiDiDrawFlags(DT_SINGLELINE, TBiDiMode::bdLeftToRight), static_cast<UINT>(DT_SINGLELINE));
  EXPECT_EQ(BiDiDrawFlags(DT_SINGLELINE, TBiDiMode::bdRightToLeft),
            static_cast<UINT>(DT_SINGLELINE | DT_RIGHT | DT_RTLREADING));
  EXPECT_EQ(BiDiDrawFlags(DT_RIGHT, TBiDiMode::bdRightToLeft), static_cast<UINT>(DT_RTLREADING));
  EXPECT_EQ(BiDiDrawFlags(DT_CENTER, TBiDiMode::bdRightToLeft), static_cast<UINT>(DT_CENTER | DT_RTLREADING));
  EXPECT_EQ(BiDiDrawFlags(DT_LEFT, TBiDiMode::bdRightToLeftReadingOnly), static_cast<UINT>(DT_RTLREADING));
  SetSysLocaleMiddleEast(-1);
}

TEST(Files, NetworkAndDevicePaths) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const struct {
    String path;
    bool outside;
  } cases[] = {
      {L"\\\\server\\share\\a.png", true},
      {L"//server/share/a.png", true},
      {L"\\/server/a.png", true},
      {L"\\\\?\\C:\\a.png", true},
      {L"\\\\.\\pipe\\x", true},
      // DOS devices, which open in any folder.
      {L"CON", true},
      {L"nul", true},
      {L"C:\\pics\\com1.png", true},
      {L"LPT3", true},
      {L"aux.txt", true},
      {L"COM1:", true},
      {L"C:\\a\\prn .gif", true},
      {L"conin$", true},
      {L"C:\\console.png", false},
      {L"COM10", false},
      {L"C:\\nul\\a.png", false},
      {L"C:\\a.png", false},
      {L"c:a.png", false},
      {temp, false},
      {L"a.png", false},
      {L"\\a.png", false},
      {L"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsNetworkOrDevicePath(c.path), c.outside) << c.path;
}

TEST(Files, IsDirectory) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_TRUE(IsDirectory(temp));
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_FALSE(IsDirectory(exe));
  EXPECT_FALSE(IsDirectory(L"C:\\no\\such\\folder"));
  EXPECT_FALSE(IsDirectory(L""));
}

TEST(SystemIcons, IndexFileAndMissingFileDraw) {
  for (const wchar_t* source : {L"0", L"", L"C:\\no\\such\\file.txt", L"C:\\windows"}) {
    auto b = WhiteBitmap(64, 64);
    TSize size;
    DrawSystemIcon(b->Canvas(), 4, 4, size, 1.0, false, true, false, source);
    EXPECT_GT(size.cx, 0) << source;
    EXPECT_GT(size.cy, 0) << source;
    TRect ink = InkBounds(b.get());
    EXPECT_FALSE(ink.IsEmpty()) << source;
    EXPECT_GE(ink.left, 4) << source;
    EXPECT_LE(ink.right, 4 + size.cx) << source;
  }
}

TEST(SystemIcons, MeasuringDrawsNothingAndLargeIsLarger) {
  auto b = WhiteBitmap(64, 64);
  TSize small, large;
  DrawSystemIcon(b->Canvas(), 0, 0, small, 1.0, false, false, false, L"1");
  DrawSystemIcon(b->Canvas(), 0, 0, large, 1.0, false, false, true, L"1");
  EXPECT_TRUE(InkBounds(b.get()).IsEmpty());
  EXPECT_GT(large.cx, small.cx);
}

TEST(SystemIcons, PrintingStretchesByTheScale) {
  auto plain = WhiteBitmap(100, 100), printed = WhiteBitmap(100, 100);
  TSize size;
  DrawSystemIcon(plain->Canvas(), 0, 0, size, 1.0, false, true, false, L"0");
  DrawSystemIcon(printed->Canvas(), 0, 0, size, 3.0, true, true, false, L"0");
  TRect a = InkBounds(plain.get()), b = InkBounds(printed.get());
  ASSERT_GT(a.Width(), 0);
  EXPECT_GT(b.right, a.right * 2);
  EXPECT_LE(b.right, size.cx * 3);
}

TEST(StretchBits, QuadrantsKeepTheirColours) {
  TBitmap src(2, 2);
  src.Canvas()->SetPixels(0, 0, clRed);
  src.Canvas()->SetPixels(1, 0, clLime);
  src.Canvas()->SetPixels(0, 1, clBlue);
  src.Canvas()->SetPixels(1, 1, clBlack);
  auto b = WhiteBitmap(30, 30);
  StretchBitmapToRect(b->Canvas(), TRect(10, 10, 30, 30), &src);
  EXPECT_EQ(PixelAt(b.get(), 5, 5), clWhite);
  EXPECT_EQ(PixelAt(b.get(), 12, 12), clRed);
  EXPECT_EQ(PixelAt(b.get(), 28, 12), clLime);
  EXPECT_EQ(PixelAt(b.get(), 12, 28), clBlue);
  EXPECT_EQ(PixelAt(b.get(), 28, 28), clBlack);
}

}  // namespace
