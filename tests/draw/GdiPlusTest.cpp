#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/FileStreams.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/draw/GdiPlus.h"

namespace {
// A white 32-bit bitmap and a graphics object on it.
struct Canvas {
  TBitmap Bmp;
  std::unique_ptr<TGPGraphics> G;
  Canvas(int W, int H) : Bmp(W, H, TPixelFormat::pf32bit) { G.reset(new TGPGraphics(Bmp.Canvas()->Handle())); }
  TColor At(int X, int Y) {
    G->Flush(FlushIntentionSync);
    return PixelAt(&Bmp, X, Y);
  }
};

IStream* StreamOf(const std::string& Bytes) {
  IStream* s = nullptr;
  EXPECT_EQ(CreateGlobalStream(Bytes.data(), Bytes.size(), &s), TGlobalStreamResult::gsOk);
  return s;
}

// The unit's platform seam, recording what the unit asks of it.
namespace fake {
int Startups = 0, Hooks = 0, Unhooks = 0;
ULONG_PTR ShutdownToken = 0, UnhookToken = 0;
DWORD Major = 6;
bool GdiplusRunning = true;
struct Output {
  int(WINAPI* Hook)(ULONG_PTR*);
  void(WINAPI* Unhook)(ULONG_PTR);
};
int WINAPI Hook(ULONG_PTR* token) { ++Hooks; *token = 777; return 0; }
void WINAPI Unhook(ULONG_PTR token) { ++Unhooks; UnhookToken = token; }
int WINAPI Startup(ULONG_PTR* token, const void*, void* output) {
  ++Startups;
  *token = 4242;
  GdiplusRunning = true;
  auto* out = static_cast<Output*>(output);
  out->Hook = Hook;
  out->Unhook = Unhook;
  return 0;
}
void WINAPI Shutdown(ULONG_PTR token) { ShutdownToken = token; }
DWORD MajorVersion() { return Major; }
void* WINAPI Alloc(size_t n) { return GdiplusRunning ? HeapAlloc(GetProcessHeap(), 0, n) : nullptr; }
void Reset() { Startups = Hooks = Unhooks = 0; ShutdownToken = UnhookToken = 0; }
}  // namespace fake

// Puts the real unit back after a test that faked its platform.
struct UnitFixture : ::testing::Test {
  ~UnitFixture() override {
    SetGdiplusPlatform(TGdiplusPlatform{});
    InitGdiplusUnit();
  }
};
}  // namespace

TEST_F(UnitFixture, NotificationHookRunsOnlyBeforeVista) {
  TGdiplusPlatform p;
  p.Startup = fake::Startup;
  p.Shutdown = fake::Shutdown;
  p.MajorVersion = fake::MajorVersion;
  for (DWORD major : {5u, 6u, 10u}) {
    fake::Reset();
    fake::Major = major;
    SetGdiplusPlatform(p);
    InitGdiplusUnit();
    FiniGdiplusUnit();
    int expected = major <= 5 ? 1 : 0;
    EXPECT_EQ(fake::Startups, 1);
    EXPECT_EQ(fake::Hooks, expected) << major;
    EXPECT_EQ(fake::Unhooks, expected) << major;
    if (expected) EXPECT_EQ(fake::UnhookToken, 777u);
    EXPECT_EQ(fake::ShutdownToken, 4242u);  // the start-up token, not the hook's
  }
}

TEST_F(UnitFixture, AWrapperMadeWhileGdiplusIsDownStartsItOnDemand) {
  // GdipAlloc answers even before start-up under wine, so the allocator is
  // faked: it fails until the unit starts GDI+ again.
  TGdiplusPlatform p;
  p.Startup = fake::Startup;
  p.Alloc = fake::Alloc;
  SetGdiplusPlatform(p);
  fake::Reset();
  fake::GdiplusRunning = false;
  auto* brush = new TGPSolidBrush(0xFF102030);
  EXPECT_EQ(fake::Startups, 1);
  EXPECT_EQ(GdiplusStartupToken(), 4242u);
  EXPECT_EQ(brush->GetLastStatus(), Ok);  // the real GDI+ still runs beneath
  delete brush;
  // Running: no further start.
  delete new TGPSolidBrush(0xFF000000);
  EXPECT_EQ(fake::Startups, 1);
  // HeapAlloc'd blocks must not reach GdipFree: leave the fake before the
  // fixture restores the platform (the blocks above were freed by GdipFree,
  // which wine backs with the same heap).
}

TEST(GdiplusStatus, AFailureIsKeptUntilReadAndSuccessDoesNotClearIt) {
  Canvas c(10, 10);
  TGPSolidBrush brush(0xFFFF0000);
  EXPECT_EQ(c.G->FillRectangle(&brush, 0.f, 0.f, 4.f, 4.f), Ok);
  EXPECT_EQ(c.G->DrawLine(nullptr, 0.f, 0.f, 5.f, 5.f), InvalidParameter);
  EXPECT_EQ(c.G->Clear(0xFFFFFFFF), Ok);
  EXPECT_EQ(c.G->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(c.G->GetLastStatus(), Ok);
}

TEST(GdiplusStatus, GraphicsOnNoImageHasNoHandleAndFailsLater) {
  TGPGraphics g(static_cast<TGPImage*>(nullptr));
  EXPECT_EQ(g.GetLastStatus(), Ok);
  TGPSolidBrush brush(0xFF000000);
  EXPECT_NE(g.FillRectangle(&brush, 0.f, 0.f, 1.f, 1.f), Ok);
  EXPECT_NE(g.GetLastStatus(), Ok);
}

TEST(GdiplusDrawing, SolidFillsAreExact) {
  Canvas c(20, 20);
  TGPSolidBrush red(OpaqueArgbFromColor(clRed));
  c.G->FillRectangle(&red, TGPRectF{2, 3, 5, 4});
  EXPECT_EQ(c.At(2, 3), clRed);
  EXPECT_EQ(c.At(6, 6), clRed);
  EXPECT_EQ(c.At(7, 6), clWhite);
  EXPECT_EQ(c.At(6, 7), clWhite);
  EXPECT_EQ(c.At(1, 3), clWhite);
}

TEST(GdiplusDrawing, LinearGradientRunsFromTheFirstColourToTheSecond) {
  Canvas c(10, 100);
  TGPLinearGradientBrush brush(TGPRectF{0, 0, 10, 100}, OpaqueArgb(255, 0, 0), OpaqueArgb(0, 0, 255),
                               LinearGradientModeVertical);
  ASSERT_EQ(brush.GetLastStatus(), Ok);
  c.G->FillRectangle(&brush, 0.f, 0.f, 10.f, 100.f);
  EXPECT_LE(ColorDistance(c.At(5, 1), clRed), 12);
  EXPECT_LE(ColorDistance(c.At(5, 98), clBlue), 12);
  TColor mid = c.At(5, 50);
  EXPECT_NEAR(mid & 0xFF, 128, 16);
  EXPECT_NEAR((mid >> 16) & 0xFF, 128, 16);
}

TEST(GdiplusDrawing, PathsFillInsideAndPensStroke) {
  Canvas c(40, 40);
  TGPGraphicsPath path;
  path.AddEllipse(TGPRectF{5, 5, 30, 30});
  EXPECT_EQ(path.GetPointCount() > 4, true);
  TGPSolidBrush blue(OpaqueArgbFromColor(clBlue));
  c.G->SetSmoothingMode(SmoothingModeAntiAlias);
  c.G->FillPath(&blue, &path);
  EXPECT_EQ(c.At(20, 20), clBlue);
  EXPECT_EQ(c.At(6, 6), clWhite);  // outside the curve, inside its box
  TGPRectF bounds;
  ASSERT_EQ(path.GetBounds(bounds), Ok);
  EXPECT_NEAR(bounds.X, 5, 0.5);
  EXPECT_NEAR(bounds.Width, 30, 0.5);
  TGPPen pen(OpaqueArgbFromColor(clBlack), 3);
  c.G->SetSmoothingMode(SmoothingModeNone);
  c.G->DrawLine(&pen, 0.f, 38.f, 39.f, 38.f);
  EXPECT_EQ(c.At(20, 38), clBlack);
  // A region clip keeps drawing out of an excluded part.
  TGPRegion region(TGPRectF{0, 0, 40, 40});
  TGPGraphicsPath hole;
  hole.AddRectangle(TGPRectF{0, 0, 10, 10});
  region.Exclude(&hole);
  c.G->SetClip(&region);
  TGPSolidBrush green(OpaqueArgbFromColor(clLime));
  c.G->FillRectangle(&green, 0.f, 0.f, 40.f, 40.f);
  EXPECT_EQ(c.At(5, 5), clWhite);
  EXPECT_EQ(c.At(20, 20), clLime);
}

TEST(GdiplusDrawing, DrawImageRectRoundsTheRectangleHalvesToEven) {
  Canvas c(20, 20);
  IStream* s = StreamOf(MakePng(4, 4, clRed));
  TGPImage img(s);
  s->Release();
  ASSERT_EQ(img.GetLastStatus(), Ok);
  // (0.5, 1.5, 10.4, 10.6) draws into (0, 2, 10, 11).
  c.G->DrawImageRect(&img, TGPRectF{0.5f, 1.5f, 10.4f, 10.6f});
  EXPECT_LE(ColorDistance(c.At(0, 6), clRed), 40);
  EXPECT_LE(ColorDistance(c.At(5, 2), clRed), 40);
  EXPECT_EQ(c.At(5, 1), clWhite);
  EXPECT_EQ(c.At(11, 6), clWhite);
  EXPECT_EQ(c.At(5, 14), clWhite);
}

TEST(GdiplusText, DrawStringLengthCountsCharacters) {
  TGPFont font(L"Arial", 14);
  ASSERT_EQ(font.GetLastStatus(), Ok);
  TGPSolidBrush black(0xFF000000);
  auto inked = [&](int length) {
    Canvas c(200, 40);
    c.G->DrawString(String(L"WWWWWW"), length, &font, TGPPointF{2, 2}, &black);
    c.G->Flush(FlushIntentionSync);
    return 200 * 40 - CountPixels(&c.Bmp, TRect(0, 0, 200, 40), clWhite, 0);
  };
  int all = inked(-1);
  EXPECT_GT(all, 0);
  EXPECT_EQ(inked(6), all);
  int part = inked(3);
  EXPECT_GT(part, 0);
  EXPECT_LT(part, all);
  EXPECT_EQ(inked(60), all);  // a length past the text stops at its end
}

TEST(GdiplusText, PathStringLengthStopsAtTheTextsEnd) {
  TGPFontFamily family(L"Arial");
  ASSERT_EQ(family.GetLastStatus(), Ok);
  TGPStringFormat format;
  auto points = [&](int length) {
    TGPGraphicsPath path;
    EXPECT_EQ(path.AddString(String(L"WW"), length, &family, 0, 20, TGPRectF{0, 0, 200, 60}, &format), Ok);
    return path.GetPointCount();
  };
  int all = points(-1);
  EXPECT_GT(all, 0);
  EXPECT_EQ(points(2), all);
  EXPECT_EQ(points(400), all);  // never read past the text
  EXPECT_GT(points(1), 0);
  EXPECT_LT(points(1), all);
}

TEST(GdiplusText, MeasureGrowsWithTheText) {
  Canvas c(10, 10);
  TGPFont font(L"Arial", 12);
  TGPRectF one, two;
  c.G->MeasureString(L"Wide", -1, &font, TGPRectF{0, 0, 1000, 1000}, one);
  c.G->MeasureString(L"WideWide", -1, &font, TGPRectF{0, 0, 1000, 1000}, two);
  EXPECT_GT(one.Width, 10);
  EXPECT_GT(two.Width, one.Width * 1.5);
  EXPECT_NEAR(two.Height, one.Height, 0.5);
}

TEST(GdiplusFonts, UnknownFamilyFallsBackAndGenericFamiliesAreCached) {
  TGPFontFamily missing(L"No Such Family Here");
  EXPECT_EQ(missing.GetLastStatus(), FontFamilyNotFound);
  TGPFont font(L"No Such Family Here", 10);
  EXPECT_EQ(font.GetLastStatus(), Ok);  // the generic sans-serif stands in
  EXPECT_EQ(TGPFontFamily::GenericSansSerif(), TGPFontFamily::GenericSansSerif());
  EXPECT_NE(TGPFontFamily::GenericSerif(), TGPFontFamily::GenericSansSerif());
  for (const wchar_t* name : {L"Arial", L"Tahoma", L"Segoe UI"}) {
    TGPFontFamily f(name);
    EXPECT_EQ(f.GetLastStatus(), Ok) << "font family missing in the prefix";
  }
}

TEST(GdiplusBrushes, ParameterChecksAnswerWithoutGdiplus) {
  TGPLinearGradientBrush line(TGPPointF{0, 0}, TGPPointF{10, 0}, 0xFF000000, 0xFFFFFFFF);
  EXPECT_EQ(line.SetInterpolationColors(nullptr, nullptr, 0), InvalidParameter);
  EXPECT_EQ(line.GetLastStatus(), InvalidParameter);

  TGPGraphicsPath path;
  path.AddRectangle(TGPRectF{0, 0, 10, 10});
  TGPPathGradientBrush grad(&path);
  ASSERT_EQ(grad.GetPointCount(), 4);
  ARGB four[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000};
  int n = 4;
  ASSERT_EQ(grad.SetSurroundColors(four, n), Ok);
  EXPECT_EQ(n, 4);
  ARGB got[4] = {};
  int count = 4;
  ASSERT_EQ(grad.GetSurroundColors(got, count), Ok);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(got[2], 0xFF0000FFu);
  ARGB two[2];
  count = 2;
  EXPECT_EQ(grad.GetSurroundColors(two, count), InsufficientBuffer);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(grad.SetCenterColor(0xFF123456), InsufficientBuffer);  // the stored status comes back

  TGPPathGradientBrush other(&path);
  int five = 5;
  EXPECT_EQ(other.SetSurroundColors(four, five), InvalidParameter);
  EXPECT_EQ(five, 5);
}

TEST(GdiplusBrushes, PenGivesItsBrushByKind) {
  TGPPen solid(0xFF112233, 2);
  std::unique_ptr<TGPBrush> b(solid.GetBrush());
  ASSERT_NE(b, nullptr);
  EXPECT_NE(dynamic_cast<TGPSolidBrush*>(b.get()), nullptr);
  TGPLinearGradientBrush line(TGPPointF{0, 0}, TGPPointF{10, 0}, 0xFF000000, 0xFFFFFFFF);
  TGPPen lined(&line, 2);
  std::unique_ptr<TGPBrush> lb(lined.GetBrush());
  auto* lg = dynamic_cast<TGPLinearGradientBrush*>(lb.get());
  ASSERT_NE(lg, nullptr);
  EXPECT_EQ(lg->GetLastStatus(), NotImplemented);
}

TEST(GdiplusMatrix, ElementsOffsetsRotationAndUnreadableMatrices) {
  TGPMatrix m(1, 0, 0, 1, 5, 7);
  EXPECT_FLOAT_EQ(m.OffsetX(), 5);
  EXPECT_FLOAT_EQ(m.OffsetY(), 7);
  m.Reset();
  EXPECT_TRUE(m.IsIdentity());
  m.RotateAt(90, TGPPointF{10, 10});
  TGPPointF p{20, 10};
  m.TransformPoints(&p);
  EXPECT_NEAR(p.X, 10, 1e-3);
  EXPECT_NEAR(p.Y, 20, 1e-3);
  std::unique_ptr<TGPMatrix> copy(m.Clone());
  ASSERT_NE(copy, nullptr);
  TGPPointF q{20, 10};
  copy->TransformPoints(&q);
  EXPECT_NEAR(q.Y, 20, 1e-3);
  TGPMatrix bad(TGPRectF{0, 0, 1, 1}, static_cast<const TGPPointF*>(nullptr));  // makes none
  EXPECT_EQ(bad.OffsetX(), 0);
  EXPECT_NE(bad.GetLastStatus(), Ok);
  EXPECT_EQ(bad.GetLastStatus(), Ok);
}

TEST(GdiplusImages, FormatsSizesAndPixels) {
  struct Case {
    std::string Bytes;
    TGPImageFormat Format;
  } cases[] = {{MakePng(3, 2, clRed), ifPNG},
               {MakeBmp(3, 2, clRed), ifBMP},
               {MakeGif(3, 2, clRed), ifGIF},
               {EncodeWithGdiplus(L"image/jpeg", 3, 2, clRed), ifJPEG}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Format);
    ASSERT_FALSE(c.Bytes.empty());
    IStream* s = StreamOf(c.Bytes);
    TGPBitmap bmp(s);
    s->Release();
    ASSERT_EQ(bmp.GetLastStatus(), Ok);
    EXPECT_EQ(bmp.GetFormat(), c.Format);
    EXPECT_EQ(bmp.GetWidth(), 3u);
    EXPECT_EQ(bmp.GetHeight(), 2u);
    ARGB px = 0;
    ASSERT_EQ(bmp.GetPixel(1, 1, px), Ok);
    EXPECT_GE(ArgbRed(px), 200);
    EXPECT_LE(ArgbBlue(px), 60);
  }
  TGPBitmap made(4, 4);
  EXPECT_EQ(made.GetFormat(), ifMemoryBMP);
  EXPECT_TRUE(made.HasAlphaChannel());
  EXPECT_EQ(made.GetPixelDepth(), 32);
  EXPECT_EQ(made.SaveAdd(nullptr, nullptr), InvalidParameter);
  TGPImage none(L"C:\\no\\such\\picture.png");
  EXPECT_NE(none.GetLastStatus(), Ok);
  EXPECT_EQ(none.GetWidth(), 0u);
  EXPECT_EQ(none.GetFormat(), ifUndefined);
}

TEST(GdiplusImages, MetafilesReportTheirFormat) {
  struct Case {
    std::string Bytes;
    TGPImageFormat Format;
  } cases[] = {{MakeEmf(4, 4, clRed), ifEMF}, {MakePlaceableWmf(4, 4, clRed), ifWMF}};
  for (const Case& c : cases) {
    IStream* s = StreamOf(c.Bytes);
    TGPImage img(s);
    s->Release();
    ASSERT_EQ(img.GetLastStatus(), Ok);
    EXPECT_EQ(img.GetFormat(), c.Format);
  }
}

TEST(GdiplusImages, ColourKeyAttributesLeaveTheKeyUndrawn) {
  Canvas c(10, 10);
  IStream* s = StreamOf(MakePng(4, 4, clLime));
  TGPImage img(s);
  s->Release();
  TGPImageAttributes attr;
  attr.SetColorKey(0xFF00FF00, 0xFF00FF00);
  c.G->DrawImage(&img, TGPRectF{0, 0, 4, 4}, 0, 0, 4, 4, UnitPixel, &attr);
  EXPECT_EQ(c.At(2, 2), clWhite);
  attr.ClearColorKey();
  c.G->DrawImage(&img, TGPRectF{0, 0, 4, 4}, 0, 0, 4, 4, UnitPixel, &attr);
  EXPECT_EQ(c.At(2, 2), clLime);
}
