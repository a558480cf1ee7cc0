#include "tests/html/HtmlTestData.h"

#include "base/Streams.h"

namespace {
void Word(std::string& s, int v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
}  // namespace

std::string GifBytes(int W, int H, const std::vector<TGifFrame>& Frames, bool WithControl) {
  std::string s = "GIF89a";
  Word(s, W);
  Word(s, H);
  s += std::string("\x80\x00\x00", 3);                  // a global table of two colours
  s += std::string("\xFF\x00\x00\xFF\xFF\xFF", 6);      // red, white
  for (const auto& f : Frames) {
    if (WithControl) {
      s += std::string("\x21\xF9\x04\x00", 4);
      Word(s, f.Delay);
      s += std::string("\x00\x00", 2);
    }
    s += '\x2C';
    Word(s, f.Left);
    Word(s, f.Top);
    Word(s, 1);
    Word(s, 1);
    s += '\x00';
    s += std::string("\x02\x02\x44\x01\x00", 5);  // one pixel of colour 0
  }
  s += ';';
  return s;
}

std::string BmpBytes(int W, int H, TColor Color, TColor BottomLeft) {
  TBitmap b(W, H);
  b.Canvas()->Brush()->SetColor(Color);
  b.Canvas()->FillRect(TRect(0, 0, W, H));
  if (BottomLeft != clNone) b.Canvas()->SetPixels(0, H - 1, BottomLeft);
  TMemoryStream s;
  b.SaveToStream(&s);
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

String TempFile(const String& Name, const std::string& Bytes) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  String path = String(dir) + Name;
  TMemoryStream s;
  s.Write(Bytes.data(), static_cast<int>(Bytes.size()));
  s.SaveToFile(path);
  return path;
}

std::unique_ptr<TBitmap> WhiteBitmap(int W, int H) {
  auto b = std::make_unique<TBitmap>(W, H);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}
