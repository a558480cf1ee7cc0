#include "update/UpdatePictures.h"

#include "ui/draw/HtmlHelpers.h"

namespace {

// A filled polygon straight on the DC, with its own pen and brush.
void FillPolygon(HDC DC, const POINT* Points, int Count, TColor Fill, TColor Line) {
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(Fill));
  HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(Line));
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  Polygon(DC, Points, Count);
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

}  // namespace

void DrawLoginBanner(TBitmap* Bitmap, int Width, int Height) {
  Bitmap->SetSize(Width, Height);
  TCanvas* c = Bitmap->Canvas();
  DrawSteppedGradient(c, 0x8A4A1E, 0xD9A066, true, Bounds(0, 0, Width, Height), 64);
  // The padlock: a shackle over a body.
  int x = 18, y = Height / 2 - 16;
  c->Pen()->SetColor(clWhite);
  c->Pen()->SetWidth(3);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->RoundRect(x + 5, y, x + 21, y + 22, 12, 12);
  c->Pen()->SetWidth(1);
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->Brush()->SetColor(0x30B8F0);
  c->Pen()->SetColor(0x1A7AB0);
  c->RoundRect(x, y + 13, x + 26, y + 33, 4, 4);
  c->Brush()->SetColor(0x1A7AB0);
  c->Ellipse(x + 10, y + 18, x + 16, y + 24);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Font()->SetColor(clWhite);
  c->Font()->SetStyle({TFontStyle::fsBold});
  c->Font()->SetSize(12);
  c->TextOut(x + 40, Height / 2 - c->TextHeight(L"U") / 2, L"Update server");
}

void DrawUpdateBillboard(TBitmap* Bitmap, int Width, int Height, const String& Title) {
  Bitmap->SetSize(Width, Height);
  TCanvas* c = Bitmap->Canvas();
  DrawSteppedGradient(c, 0xF6E7D6, 0xC9925A, false, Bounds(0, 0, Width, Height), 64);
  int cx = Width / 2;
  // The arrow, into the box.
  POINT arrow[] = {{cx - 10, 24}, {cx + 10, 24}, {cx + 10, 64}, {cx + 24, 64}, {cx, 92}, {cx - 24, 64}, {cx - 10, 64}};
  FillPolygon(c->Handle(), arrow, 7, 0x3CB44B, 0x1E6B2A);
  POINT box[] = {{cx - 36, 100}, {cx + 36, 100}, {cx + 36, 148}, {cx - 36, 148}};
  FillPolygon(c->Handle(), box, 4, 0x3E7FC9, 0x1F4F8A);
  POINT lid[] = {{cx - 36, 100}, {cx - 26, 88}, {cx + 26, 88}, {cx + 36, 100}};
  FillPolygon(c->Handle(), lid, 4, 0x6FA3E0, 0x1F4F8A);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Font()->SetColor(0x5A2E0E);
  c->Font()->SetStyle({TFontStyle::fsBold});
  c->Font()->SetSize(10);
  TRect r = Bounds(4, Height - 44, Width - 8, 40);
  c->TextRect(r, Title, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}
