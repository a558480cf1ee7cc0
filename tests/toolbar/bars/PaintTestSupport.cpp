#include "tests/toolbar/bars/PaintTestSupport.h"

#include <cstdlib>

#include "tests/support/Gui.h"

std::unique_ptr<TBitmap> FilledBitmap(int W, int H, TColor Color) {
  std::unique_ptr<TBitmap> b(new TBitmap(W, H, TPixelFormat::pf32bit));
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(TRect(0, 0, W, H));
  return b;
}

bool SameBitmaps(TBitmap* A, TBitmap* B) {
  if (A->Width() != B->Width() || A->Height() != B->Height()) return false;
  for (int y = 0; y < A->Height(); ++y)
    for (int x = 0; x < A->Width(); ++x)
      if (PixelAt(A, x, y) != PixelAt(B, x, y)) return false;
  return true;
}

bool Near(TColor A, TColor B, int Tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(((A >> shift) & 0xFF) - ((B >> shift) & 0xFF)) > Tolerance) return false;
  return true;
}

TRect PaintedBox(TBitmap* Bitmap, TColor Background) {
  TRect box(Bitmap->Width(), Bitmap->Height(), -1, -1);
  for (int y = 0; y < Bitmap->Height(); ++y)
    for (int x = 0; x < Bitmap->Width(); ++x)
      if (PixelAt(Bitmap, x, y) != Background) {
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x > box.right) box.right = x;
        if (y > box.bottom) box.bottom = y;
      }
  if (box.right < 0) return TRect();
  return TRect(box.left, box.top, box.right + 1, box.bottom + 1);
}
