#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/FileStreams.h"
#include "tests/html/HtmlTestData.h"
#include "tests/support/Gui.h"
#include "base/ExtCtrls.h"
#include "ui/draw/PictureContainer.h"

namespace {

void Load(THTMLPicture& p, const std::string& bytes) {
  TMemoryStream s;
  s.Write(bytes.data(), static_cast<int>(bytes.size()));
  p.LoadFromStream(&s);
}

TEST(HtmlPicture, FreshPictureIsEmpty) {
  THTMLPicture p;
  EXPECT_TRUE(p.Empty());
  EXPECT_TRUE(p.Asynch());
  EXPECT_FALSE(p.Busy());
  EXPECT_EQ(p.Frame(), 1);
  EXPECT_EQ(p.FrameCount(), -1);
  EXPECT_FALSE(p.Step());
}

TEST(HtmlPicture, BitmapDataIsNoGif) {
  THTMLPicture p;
  Load(p, BmpBytes(6, 4, clBlue));
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.Width(), 6);
  EXPECT_EQ(p.Height(), 4);
  EXPECT_FALSE(p.IsGIF());
  EXPECT_EQ(p.FrameCount(), -1);
  EXPECT_EQ(p.FrameXPos(), 0);
  EXPECT_EQ(p.FrameYPos(), 0);
  EXPECT_EQ(p.GetFrameTime(1), -1);
  EXPECT_FALSE(p.Step());
}

TEST(HtmlPicture, GifFramesAndTheirDelays) {
  THTMLPicture none, one, two;
  Load(none, GifBytes(4, 4, {{10, 0, 0}}, false));
  EXPECT_TRUE(none.IsGIF());
  EXPECT_EQ(none.FrameCount(), 0);  // frames without a control extension
  Load(one, GifBytes(4, 4, {{10, 1, 2}}));
  EXPECT_EQ(one.FrameCount(), 1);
  EXPECT_EQ(one.FrameXPos(), 1);
  EXPECT_EQ(one.FrameYPos(), 2);
  EXPECT_GT(one.Width(), 0);
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(one.Step());
  Load(two, GifBytes(4, 4, {{10, 0, 0}, {20, 3, 1}}));
  EXPECT_EQ(two.FrameCount(), 2);
  EXPECT_EQ(two.GetFrameTime(1), 10);
  EXPECT_EQ(two.GetFrameTime(2), 20);
  EXPECT_EQ(two.GetFrameTime(3), -1);
}

TEST(HtmlPicture, AnimationClockTicksTenthsOfASecond) {
  THTMLPicture p;
  Load(p, GifBytes(4, 4, {{10, 0, 0}, {20, 3, 1}}));
  int changes = 0;
  p.OnFrameChange = [&](TObject*) { ++changes; };
  const bool expected[] = {false, false, true, false, true};
  const int frames[] = {1, 1, 2, 2, 1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p.Step(), expected[i]) << i;
    EXPECT_EQ(p.Frame(), frames[i]) << i;
  }
  EXPECT_EQ(changes, 0);  // stepping reloads without the frame event
  p.SetFrame(2);
  EXPECT_EQ(p.FrameXPos(), 3);
  EXPECT_EQ(p.FrameYPos(), 1);
  EXPECT_EQ(changes, 1);
}

TEST(HtmlPicture, FrameNextAndPrevWrapAround) {
  THTMLPicture p;
  Load(p, GifBytes(4, 4, {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}}));
  ASSERT_EQ(p.FrameCount(), 3);
  p.SetFrame(3);
  p.FrameNext();
  EXPECT_EQ(p.Frame(), 1);
  p.FramePrev();
  EXPECT_EQ(p.Frame(), 3);
  p.FramePrev();
  EXPECT_EQ(p.Frame(), 2);
}

TEST(HtmlPicture, TruncatedGifIsNeverReadPastItsEnd) {
  // The frame's descriptor is cut after its first byte of position. The
  // stream keeps the bytes of the longer data loaded before beyond its new
  // end: a scan past the end would read the old position 3, 2 from there.
  const std::string full = GifBytes(8, 8, {{5, 3, 2}});
  const size_t start = full.find("\x21\xF9\x04");
  ASSERT_NE(start, std::string::npos);
  THTMLPicture p;
  Load(p, full);
  ASSERT_EQ(p.FrameXPos(), 3);
  Load(p, full.substr(0, start + 10));
  EXPECT_EQ(p.FrameCount(), 1);
  EXPECT_EQ(p.FrameXPos(), 0);
  EXPECT_EQ(p.FrameYPos(), 0);
  EXPECT_EQ(p.GetFrameTime(1), 5);
  // Cut anywhere: never more than what is there.
  for (size_t n = 0; n <= full.size(); ++n) {
    THTMLPicture q;
    Load(q, full.substr(0, n));
    EXPECT_LE(q.FrameCount(), 1);
    q.Step();
  }
}

TEST(HtmlPicture, LoadingOtherDataResetsTheFrameCache) {
  THTMLPicture p;
  Load(p, GifBytes(4, 4, {{1, 0, 0}, {1, 0, 0}}));
  EXPECT_EQ(p.FrameCount(), 2);
  Load(p, GifBytes(4, 4, {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}}));
  EXPECT_EQ(p.FrameCount(), 3);
  Load(p, BmpBytes(2, 2, clRed));
  EXPECT_EQ(p.FrameCount(), -1);
  EXPECT_FALSE(p.Step());
}

TEST(HtmlPicture, StreamsFilesAndResources) {
  THTMLPicture p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  const std::string gif = GifBytes(1, 1, {{0, 0, 0}});
  Load(p, gif);
  EXPECT_EQ(changes, 1);
  TMemoryStream out;
  p.SaveToStream(&out);
  ASSERT_EQ(out.Size(), static_cast<int64_t>(gif.size()));
  EXPECT_EQ(std::string(static_cast<char*>(out.Memory()), gif.size()), gif);
  THTMLPicture q;
  q.ReadData(&out);
  EXPECT_FALSE(q.Empty());
  p.LoadFromStream(nullptr);  // nothing
  EXPECT_EQ(changes, 1);
  // A file that cannot be read leaves the picture empty, without an error.
  p.LoadFromFile(L"C:\\no\\such\\picture.gif");
  EXPECT_TRUE(p.Empty());
  EXPECT_EQ(p.Width(), 0);
  THTMLPicture r;
  r.LoadFromResourceName(GetModuleHandleW(nullptr), L"HTMLRED");
  EXPECT_FALSE(r.Empty());
  EXPECT_EQ(r.Width(), 1);
  THTMLPicture s;
  s.LoadFromResourceName(GetModuleHandleW(nullptr), L"NOSUCHRESOURCE");
  EXPECT_TRUE(s.Empty());
  EXPECT_THROW(s.LoadFromResourceID(GetModuleHandleW(nullptr), 4711), EResNotFound);
}

TEST(HtmlPicture, UrlsLoadResourcesAndFilesAndRememberTheRest) {
  const String file = TempFile(L"html_pic.gif", GifBytes(2, 3, {{0, 0, 0}}));
  struct Case {
    String url;
    bool loaded;
  } cases[] = {
      {L"res://HTMLRED", true},
      {L"Res://HTMLRED", true},
      {L"file://" + file, true},
      {L"FILE://" + file, true},
      {L"http://example.invalid/x.png", false},
  };
  for (const auto& c : cases) {
    THTMLPicture p;
    p.SetAsynch(false);
    p.LoadFromURL(c.url);
    EXPECT_EQ(p.ID(), c.url);
    EXPECT_EQ(!p.Empty(), c.loaded) << c.url;
  }
  // An asynchronous request is taken once and never served.
  THTMLPicture a;
  a.LoadFromURL(L"http://example.invalid/a.png");
  EXPECT_TRUE(a.Busy());
  EXPECT_TRUE(a.ID().empty());
  EXPECT_EQ(a.URL(), L"http://example.invalid/a.png");
  a.LoadFromURL(L"http://example.invalid/b.png");
  EXPECT_EQ(a.URL(), L"http://example.invalid/a.png");
  EXPECT_TRUE(a.Empty());
  DeleteFileW(file.c_str());
}

TEST(HtmlPicture, FileUrlsReadOnlyThisMachinesDisks) {
  const String file = TempFile(L"html_url_local.bmp", BmpBytes(3, 3, clRed));
  THTMLPicture local;
  local.LoadFromURL(L"file://" + file);
  EXPECT_FALSE(local.Empty());
  EXPECT_EQ(local.Width(), 3);
  // The same file through the raw namespace, a device and shares: not opened.
  for (const String& url : {L"file://\\\\?\\" + file, String(L"file://\\\\.\\NUL"),
                            String(L"file:////nohost.invalid/share/a.bmp")}) {
    THTMLPicture p;
    p.LoadFromURL(url);
    EXPECT_TRUE(p.Empty()) << url;
    EXPECT_EQ(p.ID(), url) << url;
  }
  DeleteFileW(file.c_str());
}

TEST(HtmlPicture, AssignCopiesDataFrameAndId) {
  THTMLPicture src;
  Load(src, GifBytes(4, 4, {{1, 0, 0}, {1, 2, 2}}));
  src.SetFrame(2);
  src.SetID(L"id");
  src.SetStretch(true);
  THTMLPicture dst;
  int changes = 0;
  dst.OnChange = [&](TObject*) { ++changes; };
  dst.Assign(&src);
  EXPECT_EQ(dst.Frame(), 2);
  EXPECT_EQ(dst.ID(), L"id");
  EXPECT_TRUE(dst.Stretch());
  EXPECT_EQ(dst.FrameCount(), 2);
  EXPECT_EQ(dst.FrameXPos(), 2);
  EXPECT_EQ(changes, 2);
  // From a bitmap: through its stream.
  TBitmap bmp(3, 5);
  dst.Assign(&bmp);
  EXPECT_EQ(dst.Width(), 3);
  EXPECT_EQ(dst.Height(), 5);
  dst.Assign(nullptr);
  EXPECT_TRUE(dst.Empty());
  // Into a picture holder and back.
  TPicture holder;
  holder.Assign(&src);
  ASSERT_NE(dynamic_cast<THTMLPicture*>(holder.Graphic()), nullptr);
  THTMLPicture back;
  back.Assign(&holder);
  EXPECT_EQ(back.FrameCount(), 2);
}

TEST(HtmlPicture, DrawsGifsThroughGdiPlusAndBitmapsTransparent) {
  auto b = WhiteBitmap(40, 20);
  THTMLPicture gif;
  Load(gif, GifBytes(1, 1, {{0, 0, 0}}));  // one red pixel
  b->Canvas()->Draw(12, 2, &gif);
  EXPECT_EQ(PixelAt(b.get(), 12, 2), clRed);
  EXPECT_EQ(PixelAt(b.get(), 13, 2), clWhite);
  // Stretched: GDI+ scales (and smooths) the pixel over the rectangle.
  b->Canvas()->StretchDraw(TRect(0, 0, 10, 10), &gif);
  const TColor mid = PixelAt(b.get(), 5, 5);
  EXPECT_GT(mid & 0xFF, 0xF0);
  EXPECT_LT((mid >> 8) & 0xFF, 0xD0);
  EXPECT_EQ(PixelAt(b.get(), 11, 11), clWhite);
  // A bitmap whose bottom-left pixel is green: green is transparent.
  TBitmap src(4, 4);
  src.Canvas()->Brush()->SetColor(clBlue);
  src.Canvas()->FillRect(TRect(0, 0, 4, 4));
  src.Canvas()->SetPixels(0, 3, clLime);
  TMemoryStream s;
  src.SaveToStream(&s);
  THTMLPicture bmp;
  bmp.LoadFromStream(&s);
  b->Canvas()->StretchDraw(TRect(20, 0, 40, 20), &bmp);
  EXPECT_EQ(PixelAt(b.get(), 30, 5), clBlue);
  EXPECT_EQ(PixelAt(b.get(), 21, 18), clWhite);
}

// A 2 x 2 bitmap file of 8 bits per pixel written by hand: every field as
// given, the colour table (red, white) only when Palette, then Pixels.
std::string HandBmp(uint32_t HeaderSize, uint32_t Compression, bool Palette, const std::string& Pixels) {
  std::string s;
  auto u16 = [&](uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  const uint32_t table = Palette ? 8 : 0;
  s += "BM";
  u32(14 + 40 + table + static_cast<uint32_t>(Pixels.size()));
  u32(0);
  u32(14 + 40 + table);
  u32(HeaderSize);
  u32(2);  // width
  u32(2);  // height
  u16(1);
  u16(8);
  u32(Compression);
  u32(static_cast<uint32_t>(Pixels.size()));
  u32(0);
  u32(0);
  u32(Palette ? 2 : 0);  // colours used
  u32(0);
  if (Palette) s += std::string("\x00\x00\xFF\x00\xFF\xFF\xFF\x00", 8);
  return s + Pixels;
}

TEST(HtmlPicture, BitmapFilesWhoseHeadersDoNotFitAreRefusedNotRead) {
  // Rows from the bottom, padded to four bytes: white and red, then red and
  // red (the white bottom-left pixel is the transparent colour).
  const std::string rows("\x01\x00\x00\x00\x00\x00\x00\x00", 8);
  struct Case {
    const char* what;
    std::string bytes;
    bool valid;
  } cases[] = {
      {"sound", HandBmp(40, BI_RGB, true, rows), true},
      {"colour table missing", HandBmp(40, BI_RGB, false, rows), false},
      {"header larger than the file", HandBmp(0x100000, BI_RGB, true, rows), false},
      {"header far larger than the file", HandBmp(0x7FFFFFF0, BI_RGB, true, rows), false},
  };
  for (const auto& c : cases) {
    TMemoryStream s;
    s.Write(c.bytes.data(), static_cast<int>(c.bytes.size()));
    s.SetPosition(0);
    TBitmap bmp;
    if (c.valid) {
      bmp.LoadFromStream(&s);
      EXPECT_EQ(bmp.Width(), 2) << c.what;
      EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clRed) << c.what;
    } else {
      EXPECT_THROW(bmp.LoadFromStream(&s), EInvalidGraphic) << c.what;
    }
    // As a picture of markup: drawn when sound, and never an error (what
    // GDI+ makes of the others is its own).
    THTMLPicture p;
    Load(p, c.bytes);
    auto b = WhiteBitmap(10, 10);
    b->Canvas()->StretchDraw(TRect(0, 0, 4, 4), &p);
    if (c.valid) {
      EXPECT_EQ(PixelAt(b.get(), 1, 1), clRed) << c.what;
    }
  }
}

TEST(HtmlPicture, RunLengthBitmapsDrawThroughGdiPlus) {
  // Each row: two pixels of colour 0, end of line; the last ends the bitmap.
  const std::string rle("\x02\x00\x00\x00\x02\x00\x00\x01", 8);
  THTMLPicture p;
  Load(p, HandBmp(40, BI_RLE8, true, rle));
  ASSERT_EQ(p.Width(), 2);
  auto b = WhiteBitmap(10, 10);
  b->Canvas()->StretchDraw(TRect(2, 2, 6, 6), &p);
  EXPECT_EQ(PixelAt(b.get(), 3, 3), clRed);
  EXPECT_EQ(PixelAt(b.get(), 8, 8), clWhite);
}

TEST(PictureCache, FindsByExactIdAndOwnsItsPictures) {
  THTMLPictureCache cache;
  THTMLPicture* a = cache.AddPicture();
  a->SetID(L"http://x/A.png");
  THTMLPicture* b = cache.AddPicture();
  b->SetID(L"http://x/a.png");
  EXPECT_EQ(cache.FindPicture(L"http://x/A.png"), a);
  EXPECT_EQ(cache.FindPicture(L"http://x/a.png"), b);
  EXPECT_EQ(cache.FindPicture(L"http://x/"), nullptr);
  EXPECT_EQ(cache.GetPicture(1), b);
  Load(*a, GifBytes(4, 4, {{10, 0, 0}, {20, 0, 0}}));
  a->FrameCount();
  EXPECT_FALSE(cache.Animate());
  EXPECT_FALSE(cache.Animate());
  EXPECT_TRUE(cache.Animate());
  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);
}

TEST(PictureContainerTest, NamesIgnoreCaseAndItemsOwnTheirPictures) {
  auto* c = new TPictureContainer(nullptr);
  TPictureItem* item = c->Items()->Add();
  item->SetName(L"Logo");
  item->SetTag(7);
  Load(*item->Picture(), GifBytes(1, 1, {{0, 0, 0}}));
  EXPECT_EQ(c->FindPicture(L"LOGO"), item->Picture());
  EXPECT_EQ(c->FindPicture(L"other"), nullptr);
  EXPECT_EQ(c->Version(), L"2.0.0.0");
  c->SetVersion(L"9.9");
  EXPECT_EQ(c->Version(), L"2.0.0.0");
  EXPECT_EQ(c->GetVersionNr(), 0x02000000u);
  // Items copy from items only.
  TPictureItem* copy = c->Items()->Add();
  copy->Assign(item);
  EXPECT_EQ(copy->Name(), L"Logo");
  EXPECT_EQ(copy->Tag(), 7);
  EXPECT_NE(copy->Picture(), item->Picture());
  EXPECT_EQ(copy->Picture()->Width(), 1);
  TBitmap bmp(2, 2);
  EXPECT_THROW(copy->Assign(&bmp), EInvalidCast);
  copy->SetPicture(&bmp);
  EXPECT_EQ(copy->Picture()->Width(), 2);
  c->Free();
}

TEST(PictureContainerTest, EarlierFindBitmapResultsStayValid) {
  auto* c = new TPictureContainer(nullptr);
  TPictureItem* one = c->Items()->Add();
  one->SetName(L"one");
  Load(*one->Picture(), BmpBytes(3, 3, clRed));
  TPictureItem* two = c->Items()->Add();
  two->SetName(L"two");
  Load(*two->Picture(), BmpBytes(5, 5, clBlue));
  TPicture* first = c->FindBitmap(L"one");
  TPicture* second = c->FindBitmap(L"TWO");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  // The first result still holds its own picture after the second call.
  EXPECT_EQ(first->Width(), 3);
  EXPECT_EQ(second->Width(), 5);
  EXPECT_EQ(c->FindBitmap(L"One"), first);
  EXPECT_EQ(c->FindBitmap(L"none"), nullptr);
  c->Free();
}

TEST(PictureContainerTest, RegisteredControlsRepaintAndLeaveWhenFreed) {
  auto* form = new TForm(nullptr);
  auto* c = new TPictureContainer(nullptr);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  c->RegisterControl(panel);
  c->RegisterControl(panel);
  EXPECT_EQ(c->ControlCount(), 2);
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  c->Changed();
  EXPECT_EQ(changes, 1);
  panel->Free();
  EXPECT_EQ(c->ControlCount(), 0);
  c->Changed();  // no freed control is touched
  EXPECT_EQ(changes, 2);
  c->Free();
  form->Free();
}

}  // namespace
