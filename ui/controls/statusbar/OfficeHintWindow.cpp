#include "ui/controls/statusbar/OfficeHintWindow.h"

namespace {
constexpr int kMargin = 4;
constexpr int kGap = 4;

// The size of Text laid out by DrawText in Font, wrapped at MaxWidth.
TSize Measure(TFont* Font, const String& Text, int MaxWidth, UINT Flags) {
  if (Text.empty()) return TSize(0, 0);
  TBitmap b(1, 1);
  b.Canvas()->Font()->Assign(Font);
  TRect r(0, 0, MaxWidth, 0);
  b.Canvas()->TextRect(r, Text, Flags | DT_CALCRECT);
  return TSize(r.Width(), r.Height());
}

void Bold(TFont* Font) { Font->SetStyle(Font->Style() + TFontStyles{TFontStyle::fsBold}); }
}  // namespace

TOfficeHintWindow::TOfficeHintWindow(TComponent* AOwner) : THintWindow(AOwner), FShown(new TAdvHintInfo) {}

THintWindow* MakeOfficeHintWindow(TComponent* AOwner) { return new TOfficeHintWindow(AOwner); }

String TOfficeHintWindow::NotesText() const {
  String s = FShown->Notes()->Text();
  while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r')) s.pop_back();
  return s;
}

TRect TOfficeHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  auto* carrier = dynamic_cast<IOfficeHintControl*>(HintControl());
  TAdvHintInfo* hint = carrier ? carrier->OfficeHint() : nullptr;
  if (!hint || hint->IsEmpty()) {
    TAdvHintInfo none;
    FShown->Assign(&none);
    FTitleRect = FNotesRect = TRect();
    return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
  }
  FShown->Assign(hint);
  const int wrap = MaxWidth > 2 * kMargin ? MaxWidth - 2 * kMargin : 0x7FFF;
  TOwned<TFont> bold(new TFont);
  bold->Assign(Font());
  Bold(bold);
  TSize t = Measure(bold, FShown->Title(), wrap, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  TSize n = Measure(Font(), NotesText(), wrap, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  FTitleRect = TRect(kMargin, kMargin, kMargin + t.cx, kMargin + t.cy);
  int top = t.cy > 0 && n.cy > 0 ? FTitleRect.bottom + kGap : FTitleRect.bottom;
  FNotesRect = TRect(kMargin, top, kMargin + n.cx, top + n.cy);
  // The frame takes a pixel on each side.
  return TRect(0, 0, Max(t.cx, n.cx) + 2 * kMargin + 2, FNotesRect.bottom + kMargin + 2);
}

void TOfficeHintWindow::Paint() {
  if (FShown->IsEmpty()) {
    THintWindow::Paint();
    return;
  }
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Font()->Assign(Font());
  String notes = NotesText();
  TRect n = FNotesRect;
  if (!notes.empty()) c->TextRect(n, notes, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  Bold(c->Font());
  TRect t = FTitleRect;
  if (!FShown->Title().empty()) c->TextRect(t, FShown->Title(), DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
