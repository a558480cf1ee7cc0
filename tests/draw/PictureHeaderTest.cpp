// Picture headers read before any decoder runs: sizes from the header,
// fields that do not fit the data refused, pictures over the limits refused
// with a clear error and nothing changed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/Graphics.h"
#include "base/Streams.h"
#include "ui/draw/GdipPicture.h"
#include "ui/draw/PictureContainer.h"
#include "base/PictureHeader.h"

namespace {

void Put32(std::string& s, size_t At, uint32_t V, bool Big) {
  for (int i = 0; i < 4; ++i) s[At + i] = static_cast<char>(V >> (8 * (Big ? 3 - i : i)));
}

// A PNG whose header claims W x H; its pixel data is a few bytes only, so
// decoding it could never give that size.
std::string PngHeader(uint32_t W, uint32_t H) {
  std::string s("\x89PNG\r\n\x1a\n", 8);
  std::string ihdr("\0\0\0\x0dIHDR\0\0\0\0\0\0\0\0\x08\x02\0\0\0\0\0\0\0", 25);
  Put32(ihdr, 8, W, true);
  Put32(ihdr, 12, H, true);
  std::string idat("\0\0\0\x02IDAT\x78\x9c\0\0\0\0", 14);
  std::string iend("\0\0\0\0IEND\xae\x42\x60\x82", 12);
  return s + ihdr + idat + iend;
}

// The 58-byte bitmap of one pixel whose pixel data offset lies far past its
// end.
std::string BmpOffsetPastEnd() {
  std::string s(58, '\0');
  s[0] = 'B', s[1] = 'M';
  Put32(s, 2, 58, false);
  Put32(s, 10, 0x7FFF0000, false);
  Put32(s, 14, 40, false);
  Put32(s, 18, 1, false);
  Put32(s, 22, 1, false);
  s[26] = 1, s[28] = 24;
  return s;
}

TMemoryStream* StreamOf(const std::string& Bytes) {
  auto* m = new TMemoryStream;
  m->WriteBuffer(Bytes.data(), static_cast<int>(Bytes.size()));
  m->SetPosition(0);
  return m;
}

TEST(PictureHeader, SizesComeFromTheHeaderAndBadFieldsAreRefused) {
  struct Case {
    std::string Bytes;
    bool Ok;
    int Width, Height;
    const wchar_t* Error;  // the start of the reason
  } cases[] = {
      {PngHeader(8000, 8000), true, 8000, 8000, L""},
      {PngHeader(12000, 12000), false, 12000, 12000, L"The picture is 12000 x 12000 pixels, more than the 64 megapixels"},
      {PngHeader(0, 5), false, 0, 0, L"The PNG picture has no pixels"},
      {PngHeader(4, 4).substr(0, 40), false, 4, 4, L"The PNG picture is cut short"},
      {BmpOffsetPastEnd(), false, 0, 0, L"The bitmap's pixel data would start at byte 2147418112, outside its 58 bytes"},
      {std::string("GIF89a\x05\0\x07\0\0\0\0;", 14), true, 5, 7, L""},
      {std::string("GIF89a\x05\0\x07\0\x87\0\0", 13), false, 5, 7, L"The GIF picture's colour table runs past its end"},
      {std::string("\xff\xd8\xff\xc0\0\x0b\x08\0\x09\0\x11\x01\x01\x11\0", 15), true, 17, 9, L""},
      {std::string("\xff\xd8\xff\xe0\x7f\xff", 6), false, 0, 0, L"A JPEG segment of 32767 bytes runs past the end"},
      {std::string("\xff\xd8\xff\xda\0\x02", 6), false, 0, 0, L"The JPEG picture has no frame header"},
      {std::string("\0\0\x01\0\x01\0\x10\x10\0\0\x01\0\x20\0\xff\0\0\0\x16\0\0\0", 22), false, 0, 0,
       L"An image of the icon lies outside its data"},
      {std::string("not a picture"), false, 0, 0, L"The data is not a picture of a kind read here"},
  };
  for (const Case& c : cases) {
    TPictureHeader h;
    String error;
    EXPECT_EQ(ReadPictureHeader(reinterpret_cast<const uint8_t*>(c.Bytes.data()), c.Bytes.size(), h, error), c.Ok)
        << WideToAnsi(error);
    EXPECT_EQ(error.rfind(c.Error, 0), 0u) << WideToAnsi(error);
    if (c.Ok || h.OverLimits) {
      EXPECT_EQ(h.Width, c.Width);
      EXPECT_EQ(h.Height, c.Height);
    }
  }
  TPictureHeader h;
  String error;
  std::string big(MaxPictureBytes + 1, '\0');
  EXPECT_FALSE(ReadPictureHeader(reinterpret_cast<const uint8_t*>(big.data()), big.size(), h, error));
  EXPECT_TRUE(h.OverLimits);
}

TEST(PictureHeader, APictureOverTheLimitsIsRefusedAndChangesNothing) {
  THTMLPicture picture;
  std::unique_ptr<TMemoryStream> good(StreamOf(PngHeader(8000, 8000)));
  picture.LoadFromStream(good.get());
  // The size of the header, which decoding these few bytes could not give.
  EXPECT_EQ(picture.Width(), 8000);
  EXPECT_EQ(picture.Height(), 8000);
  std::unique_ptr<TMemoryStream> huge(StreamOf(PngHeader(12000, 12000)));
  try {
    picture.LoadFromStream(huge.get());
    ADD_FAILURE() << "accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), L"The picture is 12000 x 12000 pixels, more than the 64 megapixels allowed");
  }
  EXPECT_EQ(picture.Width(), 8000);
  TGDIPPicture gdip;
  huge->SetPosition(0);
  EXPECT_THROW(gdip.LoadFromStream(huge.get()), EInvalidGraphic);
  EXPECT_TRUE(gdip.Empty());
}

TEST(PictureHeader, ABitmapPointingPastItsEndIsNeverDecoded) {
  TBitmap target(8, 8, TPixelFormat::pf32bit);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(TRect(0, 0, 8, 8));
  std::unique_ptr<TMemoryStream> s(StreamOf(BmpOffsetPastEnd()));
  THTMLPicture html;
  html.LoadFromStream(s.get());
  EXPECT_EQ(html.Width(), 0);
  target.Canvas()->StretchDraw(TRect(0, 0, 8, 8), &html);
  s->SetPosition(0);
  TGDIPPicture gdip;
  gdip.LoadFromStream(s.get());
  EXPECT_FALSE(gdip.GetImageSizes());
  gdip.Draw(target.Canvas(), TRect(0, 0, 8, 8));
  // Nothing was drawn.
  const auto* row = static_cast<const uint8_t*>(target.ScanLine(4));
  EXPECT_EQ(row[16], 0xFF);
}

}  // namespace
