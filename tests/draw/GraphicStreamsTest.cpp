#include <gtest/gtest.h>

#include <string>

#include <cstring>

#include "base/FileStreams.h"
#include "base/Picture.h"
#include "tests/support/Gui.h"

namespace {
String TempName(const wchar_t* Name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return String(dir) + Name;
}
}  // namespace

TEST(FileStream, WritesReadsSeeksAndSizes) {
  String name = TempName(L"vantrel_fs.bin");
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("abcdef", 6);
    EXPECT_EQ(f.Size(), 6);
    f.SetSize(4);
    EXPECT_EQ(f.Size(), 4);
    EXPECT_EQ(f.Position(), 4);
  }
  TFileStream f(name, fmOpenRead | fmShareDenyWrite);
  char buf[8] = {};
  f.Seek(1, TSeekOrigin::soBeginning);
  EXPECT_EQ(f.Read(buf, 8), 3);
  EXPECT_STREQ(buf, "bcd");
  EXPECT_EQ(f.Read(buf, 8), 0);
}

TEST(FileStream, FailuresNameTheFile) {
  try {
    TFileStream f(TempName(L"no_such_dir\\x.bin"), fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(L"no_such_dir"), String::npos);
  }
  EXPECT_THROW(TFileStream(TempName(L"no_such_dir\\x.bin"), fmCreate), EFCreateError);
}

TEST(ResourceStream, MissingResourceRaisesNamingIt) {
  try {
    TResourceStream r(GetModuleHandleW(nullptr), L"NO_SUCH_RESOURCE");
    FAIL() << "found a missing resource";
  } catch (const EResNotFound& e) {
    EXPECT_NE(e.Message().find(L"NO_SUCH_RESOURCE"), String::npos);
  }
  EXPECT_FALSE(TResourceStream::Exists(GetModuleHandleW(nullptr), L"NO_SUCH_RESOURCE"));
}

TEST(GlobalStream, HoldsACopyAndReportsAllocationFailure) {
  IStream* s = nullptr;
  ASSERT_EQ(CreateGlobalStream("hello", 5, &s), TGlobalStreamResult::gsOk);
  char buf[8] = {};
  ULONG got = 0;
  s->Read(buf, 8, &got);
  EXPECT_EQ(got, 5u);
  EXPECT_STREQ(buf, "hello");
  s->Release();
  SetGlobalAllocator([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
  EXPECT_EQ(CreateGlobalStream("hello", 5, &s), TGlobalStreamResult::gsNoMemory);
  EXPECT_EQ(s, nullptr);
  SetGlobalAllocator(nullptr);
}

// Decoders that seek past the end (a bitmap's pixel offset beyond the file,
// say) read nothing there: the stream never hands out a byte it was not
// given, and a move before the start is refused.
TEST(GlobalStream, NeverReadsPastTheDataAfterAnySeek) {
  IStream* s = nullptr;
  ASSERT_EQ(CreateGlobalStream("0123456789", 10, &s), TGlobalStreamResult::gsOk);
  char buf[16] = {};
  ULONG got = 99;
  LARGE_INTEGER to{};
  ULARGE_INTEGER at{};
  to.QuadPart = 1000000;
  EXPECT_EQ(s->Seek(to, STREAM_SEEK_SET, &at), S_OK);
  EXPECT_EQ(at.QuadPart, 1000000u);
  EXPECT_EQ(s->Read(buf, 16, &got), S_FALSE);
  EXPECT_EQ(got, 0u);
  to.QuadPart = -4;
  EXPECT_EQ(s->Seek(to, STREAM_SEEK_END, &at), S_OK);
  EXPECT_EQ(s->Read(buf, 16, &got), S_FALSE);
  EXPECT_EQ(std::string(buf, got), "6789");
  to.QuadPart = -11;
  EXPECT_NE(s->Seek(to, STREAM_SEEK_END, &at), S_OK);
  to.QuadPart = INT64_MAX;
  EXPECT_NE(s->Seek(to, STREAM_SEEK_CUR, &at), S_OK);
  STATSTG st{};
  EXPECT_EQ(s->Stat(&st, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(st.cbSize.QuadPart, 10u);
  EXPECT_NE(s->Write("x", 1, &got), S_OK);
  // A clone shares the bytes and outlives the first stream.
  IStream* c = nullptr;
  to.QuadPart = 2;
  s->Seek(to, STREAM_SEEK_SET, nullptr);
  ASSERT_EQ(s->Clone(&c), S_OK);
  s->Release();
  EXPECT_EQ(c->Read(buf, 3, &got), S_OK);
  EXPECT_EQ(std::string(buf, got), "234");
  c->Release();
}

TEST(BitmapStream, RoundTripKeepsSizeFormatAndPixels) {
  struct Case {
    TPixelFormat Format;
    TColor Color;
  } cases[] = {{TPixelFormat::pf24bit, 0x123456}, {TPixelFormat::pf32bit, 0x00FF80}, {TPixelFormat::pf1bit, clWhite}};
  for (const Case& c : cases) {
    TBitmap src(5, 3, c.Format);
    src.Canvas()->Brush()->SetColor(c.Color);
    src.Canvas()->FillRect(TRect(0, 0, 5, 3));
    src.Canvas()->SetPixels(4, 2, clBlack);
    TMemoryStream ms;
    src.SaveToStream(&ms);
    EXPECT_EQ(static_cast<const char*>(ms.Memory())[0], 'B');
    ms.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&ms);
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Height(), 3);
    EXPECT_EQ(back.PixelFormat(), c.Format);
    EXPECT_EQ(back.Canvas()->Pixels(0, 0), c.Color);
    EXPECT_EQ(back.Canvas()->Pixels(4, 2), clBlack);
  }
}

TEST(BitmapStream, RejectsDataThatIsNoBitmap) {
  TMemoryStream ms;
  ms.WriteBuffer("BMxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 60);
  ms.SetPosition(0);
  TBitmap b;
  EXPECT_THROW(b.LoadFromStream(&ms), EInvalidGraphic);
}

TEST(IconStream, SavedIconLoadsBackWithItsSizeAndColours) {
  TBitmap color(16, 16, TPixelFormat::pf24bit);
  color.Canvas()->Brush()->SetColor(clRed);
  color.Canvas()->FillRect(TRect(0, 0, 16, 16));
  TBitmap mask(16, 16, TPixelFormat::pf1bit);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(TRect(0, 0, 16, 16));
  ICONINFO ii{TRUE, 0, 0, mask.Handle(), color.Handle()};
  TIcon icon;
  icon.SetHandle(CreateIconIndirect(&ii));
  TMemoryStream ms;
  icon.SaveToStream(&ms);
  ms.SetPosition(0);
  TIcon back;
  back.LoadFromStream(&ms);
  EXPECT_EQ(back.Width(), 16);
  TBitmap target(16, 16, TPixelFormat::pf32bit);
  target.Canvas()->Draw(0, 0, &back);
  EXPECT_EQ(PixelAt(&target, 8, 8), clRed);
}

TEST(Picture, HoldsCopiesAndTellsOfChanges) {
  TPicture pic;
  int changes = 0;
  pic.OnChange = [&](TObject*) { ++changes; };
  TBitmap b(4, 2);
  pic.Assign(&b);
  EXPECT_EQ(changes, 1);
  ASSERT_NE(pic.Graphic(), nullptr);
  EXPECT_NE(pic.Graphic(), &b);
  EXPECT_EQ(pic.Width(), 4);
  pic.Bitmap()->SetSize(6, 6);  // the held graphic's changes reach the owner
  EXPECT_EQ(changes, 2);
  pic.Assign(nullptr);
  EXPECT_EQ(pic.Graphic(), nullptr);
  EXPECT_EQ(changes, 3);
}
