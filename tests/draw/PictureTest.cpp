#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "base/FileStreams.h"
#include "base/Picture.h"
#include "tests/draw/DrawTestSupport.h"
#include "tests/support/Gui.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/GdipPicture.h"
#include "ui/draw/HintInfo.h"

using namespace std::string_literals;

namespace {
void Load(TGDIPPicture& P, const std::string& Bytes) {
  TMemoryStream ms;
  if (!Bytes.empty()) ms.WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
  P.LoadFromStream(&ms);
}

TPictureFormat FormatOf(const std::string& Bytes) {
  TGDIPPicture p;
  TMemoryStream ms;
  ms.WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
  p.ReadData(&ms);
  return p.PictureFormat();
}

std::string Padded(std::string Head, size_t Size = 44) {
  Head.resize(std::max(Size, Head.size()), '\0');
  return Head;
}

TBitmap* White(int W, int H) {
  auto* b = new TBitmap(W, H, TPixelFormat::pf32bit);
  return b;
}
}  // namespace

TEST(PictureFormat, DetectedFromTheFirstBytes) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  struct Case {
    std::string Bytes;
    TPictureFormat Format;
  } cases[] = {
      {Padded(png, 43), TPictureFormat::pfNone},  // too short
      {Padded(png), TPictureFormat::pfPNG},
      {Padded("BM"), TPictureFormat::pfBMP},
      {Padded("II\x2A"), TPictureFormat::pfTiff},
      {Padded("MM\x00\x2A"s), TPictureFormat::pfTiff},
      {Padded("II\x00\x01\x00"s), TPictureFormat::pfNone},  // no TIFF marker: no later test either
      {Padded("MMGIF"), TPictureFormat::pfNone},
      {Padded("\xFF\xD8\xFF"), TPictureFormat::pfJPG},
      {Padded("\xD7\xCD\xC6\x9A"), TPictureFormat::pfMetaFile},
      {emf, TPictureFormat::pfMetaFile},
      {Padded("GIF89a"), TPictureFormat::pfGIF},
      {Padded("gif89a"), TPictureFormat::pfNone},
      {Padded("\x00\x00\x01\x00"s), TPictureFormat::pfICO},
      {Padded("\x00\x00\x02\x00"s), TPictureFormat::pfNone},
      {MakeGif(3, 3, clRed) + std::string(44, '\0'), TPictureFormat::pfGIF},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatOf(c.Bytes), c.Format) << c.Bytes.substr(0, 4);
}

TEST(GdipPicture, ANewPictureIsEmptyAndDrawsNothing) {
  TGDIPPicture p;
  EXPECT_TRUE(p.Empty());
  EXPECT_FALSE(p.GetImageSizes());
  EXPECT_EQ(p.Width(), 0);
  EXPECT_EQ(p.Angle(), 0);
  EXPECT_TRUE(p.TransparentBitmap());
  std::unique_ptr<TBitmap> target(White(10, 10));
  p.Draw(target->Canvas(), TRect(0, 0, 10, 10));
  EXPECT_EQ(CountPixels(target.get(), TRect(0, 0, 10, 10), clWhite), 100);
}

TEST(GdipPicture, EachFormatLoadsMeasuresAndDraws) {
  struct Case {
    const char* Name;
    std::string Bytes;
    TPictureFormat Format;
    int Tolerance;
  } cases[] = {{"png", MakePng(6, 4, clBlue), TPictureFormat::pfPNG, 0},
               {"gif", MakeGif(6, 4, clBlue), TPictureFormat::pfGIF, 0},
               {"bmp", MakeBmp(6, 4, clBlue), TPictureFormat::pfBMP, 0},
               {"jpeg", EncodeWithGdiplus(L"image/jpeg", 6, 4, clBlue), TPictureFormat::pfJPG, 40},
               {"tiff", EncodeWithGdiplus(L"image/tiff", 6, 4, clBlue), TPictureFormat::pfTiff, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ASSERT_FALSE(c.Bytes.empty());
    TGDIPPicture p;
    p.SetTransparentBitmap(false);  // a one-colour bitmap would vanish
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    Load(p, c.Bytes);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.PictureFormat(), c.Format);
    EXPECT_EQ(p.Width(), 6);
    EXPECT_EQ(p.Height(), 4);
    // The bytes are kept as loaded.
    TMemoryStream out;
    p.SaveToStream(&out);
    ASSERT_EQ(out.Size(), static_cast<int64_t>(c.Bytes.size()));
    EXPECT_EQ(std::memcmp(out.Memory(), c.Bytes.data(), c.Bytes.size()), 0);
    std::unique_ptr<TBitmap> target(White(30, 20));
    p.Draw(target->Canvas(), TRect(5, 5, 17, 13));  // stretched to 12 x 8
    EXPECT_LE(ColorDistance(PixelAt(target.get(), 10, 9), clBlue), c.Tolerance);
    EXPECT_EQ(PixelAt(target.get(), 2, 2), clWhite);
    EXPECT_EQ(PixelAt(target.get(), 20, 9), clWhite);
  }
  // An icon too.
  TBitmap color(16, 16, TPixelFormat::pf24bit);
  color.Canvas()->Brush()->SetColor(clRed);
  color.Canvas()->FillRect(TRect(0, 0, 16, 16));
  TBitmap mask(16, 16, TPixelFormat::pf1bit);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(TRect(0, 0, 16, 16));
  ICONINFO ii{TRUE, 0, 0, mask.Handle(), color.Handle()};
  TIcon icon;
  icon.SetHandle(CreateIconIndirect(&ii));
  TGDIPPicture p;
  p.Assign(&icon);
  EXPECT_EQ(p.PictureFormat(), TPictureFormat::pfICO);
  EXPECT_EQ(p.Width(), 16);
  std::unique_ptr<TBitmap> target(White(20, 20));
  p.Draw(target->Canvas(), TRect(0, 0, 16, 16));
  EXPECT_EQ(PixelAt(target.get(), 8, 8), clRed);
}

TEST(GdipPicture, MetafilesLoadMeasureAndDraw) {
  struct Case {
    const char* Name;
    std::string Bytes;
  } cases[] = {{"emf", MakeEmf(20, 10, clBlue)}, {"wmf", MakePlaceableWmf(20, 10, clBlue)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TGDIPPicture p;
    Load(p, c.Bytes);
    EXPECT_EQ(p.PictureFormat(), TPictureFormat::pfMetaFile);
    ASSERT_TRUE(p.GetImageSizes());
    EXPECT_NEAR(p.Width(), 20, 1);
    EXPECT_NEAR(p.Height(), 10, 1);
    std::unique_ptr<TBitmap> target(White(40, 30));
    p.Draw(target->Canvas(), TRect(10, 10, 30, 20));
    EXPECT_LE(ColorDistance(PixelAt(target.get(), 20, 15), clBlue), 40);
    EXPECT_EQ(PixelAt(target.get(), 5, 15), clWhite);
    EXPECT_EQ(PixelAt(target.get(), 20, 25), clWhite);
  }
}

TEST(GdipPicture, BitmapsDrawWithTheirBottomLeftColourTransparentUnlessTold) {
  TBitmap src(8, 8, TPixelFormat::pf24bit);
  src.Canvas()->Brush()->SetColor(clLime);
  src.Canvas()->FillRect(TRect(0, 0, 8, 8));
  src.Canvas()->Brush()->SetColor(clRed);
  src.Canvas()->FillRect(TRect(2, 2, 6, 6));
  TGDIPPicture p;
  p.Assign(&src);
  EXPECT_EQ(p.PictureFormat(), TPictureFormat::pfBMP);
  std::unique_ptr<TBitmap> t1(White(8, 8));
  p.SetAngle(90);  // ignored on this path
  p.Draw(t1->Canvas(), TRect(0, 0, 8, 8));
  EXPECT_EQ(PixelAt(t1.get(), 0, 0), clWhite);
  EXPECT_EQ(PixelAt(t1.get(), 3, 3), clRed);
  p.SetTransparentBitmap(false);
  p.SetAngle(0);
  std::unique_ptr<TBitmap> t2(White(8, 8));
  p.Draw(t2->Canvas(), TRect(0, 0, 8, 8));
  EXPECT_EQ(PixelAt(t2.get(), 0, 0), clLime);
}

TEST(GdipPicture, AngleRotatesAboutTheImageCentre) {
  // A 10 x 4 bar turned by 90 degrees about its centre stands upright.
  TGDIPPicture p;
  Load(p, MakePng(10, 4, clBlue));
  p.SetAngle(90);
  std::unique_ptr<TBitmap> target(White(30, 30));
  p.Draw(target->Canvas(), TRect(10, 10, 20, 14));
  EXPECT_LE(ColorDistance(PixelAt(target.get(), 15, 8), clBlue), 60);   // above the unrotated bar
  EXPECT_EQ(PixelAt(target.get(), 11, 12), clWhite);                  // its former left end
}

TEST(GdipPicture, AssignCopiesFiresAndEmptiesWithNil) {
  TGDIPPicture a, b;
  Load(a, MakePng(5, 3, clRed));
  std::vector<const char*> events;
  b.OnChange = [&](TObject*) { events.push_back("change"); };
  b.OnClear = [&](TObject*) { events.push_back("clear"); };
  b.Assign(&a);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(events.size(), 1u);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  ASSERT_EQ(events.size(), 3u);
  EXPECT_STREQ(events[1], "change");  // OnChange before OnClear
  EXPECT_STREQ(events[2], "clear");
  EXPECT_EQ(b.Width(), 5);  // sizes stay as they were
  TStringList other;
  events.clear();
  a.Assign(&other);  // not a picture: emptied, nothing fires, nothing raised
  EXPECT_TRUE(a.Empty());
  EXPECT_TRUE(events.empty());
  // From a TPicture holding a bitmap.
  TPicture pic;
  TBitmap bmp(7, 2);
  pic.Assign(&bmp);
  b.Assign(&pic);
  EXPECT_EQ(b.PictureFormat(), TPictureFormat::pfBMP);
  EXPECT_EQ(b.Width(), 7);
}

TEST(GdipPicture, FilesResourcesAndUrls) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  String name = String(dir) + L"vantrel_pic.png";
  {
    std::string png = MakePng(3, 5, clRed);
    TFileStream f(name, fmCreate);
    f.WriteBuffer(png.data(), static_cast<int>(png.size()));
  }
  TGDIPPicture p;
  int clears = 0;
  p.OnClear = [&](TObject*) { ++clears; };
  p.LoadFromFile(name);
  EXPECT_EQ(p.GetFileName(), name);
  EXPECT_EQ(p.Height(), 5);
  EXPECT_EQ(clears, 1);
  p.LoadFromFile(String(dir) + L"no_such_picture.png");  // quietly empty
  EXPECT_TRUE(p.Empty());
  EXPECT_GT(p.DataStream()->Size(), 0);  // the old bytes stay, undrawn
  p.LoadFromURL(L"file://" + name);
  EXPECT_FALSE(p.Empty());

  TGDIPPicture r;
  r.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_PICTURE");
  EXPECT_TRUE(r.Empty());
  r.LoadFromURL(L"res://GREENPNG");
  EXPECT_FALSE(r.Empty());
  EXPECT_EQ(r.PictureFormat(), TPictureFormat::pfPNG);
  EXPECT_EQ(r.Width(), 4);
  TGDIPPicture id;
  id.LoadFromResourceID(GetModuleHandleW(nullptr), 301);
  EXPECT_EQ(id.Width(), 4);
  EXPECT_THROW(id.LoadFromResourceID(GetModuleHandleW(nullptr), 999), EResNotFound);
  TGDIPPicture none;
  none.LoadFromURL(L"res://");
  none.LoadFromURL(L"http://example.invalid/x.png");
  EXPECT_TRUE(none.Empty());
}

TEST(GdipPicture, ReadDataKeepsSizesUnknownUntilMeasured) {
  TGDIPPicture p;
  TMemoryStream ms;
  std::string png = MakePng(9, 2, clRed);
  ms.WriteBuffer(png.data(), static_cast<int>(png.size()));
  p.ReadData(&ms);
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.Width(), 0);
  ASSERT_TRUE(p.GetImageSizes());
  EXPECT_EQ(p.Width(), 9);
}

TEST(GdipPicture, DecodingMemoryFailureIsReported) {
  TGDIPPicture p;
  Load(p, MakePng(2, 2, clRed));
  SetGlobalAllocator([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
  // The size comes from the header and needs no decoding memory.
  EXPECT_TRUE(p.GetImageSizes());
  EXPECT_EQ(p.Width(), 2);
  try {
    TBitmap target(4, 4, TPixelFormat::pf32bit);
    p.Draw(target.Canvas(), TRect(0, 0, 4, 4));
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Could not allocate memory for image");
  }
  SetGlobalAllocator(nullptr);
}

TEST(GdipPicture, DrawsOnGdiplusGraphicsAtItsSizeOrScaled) {
  TGDIPPicture p;
  Load(p, MakePng(4, 4, clBlue));
  std::unique_ptr<TBitmap> target(White(30, 30));
  {
    TGPGraphics g(target->Canvas()->Handle());
    p.DrawImage(&g, 2, 2);
    p.DrawImageRect(&g, 10, 10, 12, 12);
  }
  EXPECT_EQ(PixelAt(target.get(), 3, 3), clBlue);
  EXPECT_EQ(PixelAt(target.get(), 7, 7), clWhite);
  EXPECT_EQ(PixelAt(target.get(), 16, 16), clBlue);
}

TEST(HintInfo, EmptinessAssignAndOwnedCopies) {
  TAdvHintInfo h;
  EXPECT_TRUE(h.IsEmpty());
  EXPECT_FALSE(h.ShowHelp());
  TGDIPPicture pic;
  Load(pic, MakePng(2, 2, clRed));
  h.SetPicture(&pic);
  EXPECT_NE(h.Picture(), &pic);
  EXPECT_FALSE(h.Picture()->Empty());
  EXPECT_TRUE(h.IsEmpty());  // a picture alone is no hint
  h.Notes()->Add(L"");
  EXPECT_FALSE(h.IsEmpty());  // one empty line is a line break
  h.Notes()->Clear();
  h.SetTitle(L"Send");
  h.SetShowHelp(true);
  h.SetWideNotes(L"wide");
  h.Notes()->Add(L"Sends the message");
  TAdvHintInfo copy;
  copy.Assign(&h);
  EXPECT_EQ(copy.Title(), L"Send");
  EXPECT_EQ(copy.Notes()->Text(), L"Sends the message\r\n");
  EXPECT_TRUE(copy.ShowHelp());
  EXPECT_EQ(copy.WideNotes(), L"wide");
  EXPECT_EQ(copy.Picture()->Width(), 2);
  TStringList other;
  EXPECT_NO_THROW(copy.Assign(&other));
  EXPECT_NO_THROW(copy.Assign(nullptr));
  EXPECT_EQ(copy.Title(), L"Send");
}
