#include "tests/controls/buttons/ButtonTestSupport.h"

#include <cstdlib>

#include "base/Streams.h"
#include "tests/support/Gui.h"
#include "ui/draw/GdipPicture.h"

TGDIPPicture* PictureFromBytes(const std::string& Bytes) {
  auto* p = new TGDIPPicture;
  TMemoryStream s;
  s.Write(Bytes.data(), static_cast<int>(Bytes.size()));
  s.SetPosition(0);
  p->LoadFromStream(&s);
  return p;
}

std::string MakeKeyedBmp(int W, int H, TColor Color, TColor KeyColor) {
  TBitmap b(W, H, TPixelFormat::pf24bit);
  b.Canvas()->Brush()->SetColor(Color);
  b.Canvas()->FillRect(TRect(0, 0, W, H));
  b.Canvas()->SetPixels(0, H - 1, KeyColor);
  TMemoryStream s;
  b.SaveToStream(&s);
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

TImageList* MakeImageList(TComponent* Owner, int W, int H, std::initializer_list<TColor> Colors, TColorDepth Depth) {
  auto* list = new TImageList(Owner, W, H);
  list->SetColorDepth(Depth);
  for (TColor c : Colors) {
    TBitmap b(W, H, TPixelFormat::pf24bit);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect(TRect(0, 0, W, H));
    list->Add(&b, nullptr);
  }
  return list;
}

int Distance(TColor A, TColor B) {
  int d = 0;
  for (int s = 0; s < 24; s += 8) d = std::max(d, std::abs(((A >> s) & 0xFF) - ((B >> s) & 0xFF)));
  return d;
}

bool Near(TColor A, TColor B, int Tolerance) { return Distance(A, B) <= Tolerance; }

TForm* MakeTestForm(int ClientWidth, int ClientHeight) {
  auto* f = new TForm(nullptr);
  f->SetBounds(100, 100, 200, 200);
  f->SetClientWidth(ClientWidth);
  f->SetClientHeight(ClientHeight);
  f->SetColor(clWhite);
  f->Show();
  PumpFor(10);
  return f;
}
