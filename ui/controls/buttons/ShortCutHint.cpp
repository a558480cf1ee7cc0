#include "ui/controls/buttons/ShortCutHint.h"

#include "ui/controls/buttons/GlowButtonHelpers.h"

TShortCutHintWindow::TShortCutHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TShortCutHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.ExStyle |= WS_EX_TOPMOST;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_DROPSHADOW);
  SetColor(clInfoBk);
  FColorTo = clInfoBk;
}

void TShortCutHintWindow::SetColorTo(TColor Value) {
  if (FColorTo == Value) return;
  FColorTo = Value;
  Invalidate();
}

void TShortCutHintWindow::Resize() {
  THintWindow::Resize();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  SIZE o{};
  GetTextExtentPoint32W(dc, L"O", 1, &o);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (FWidth < o.cx + 8) SetWidth(o.cx + 8);
}

void TShortCutHintWindow::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  GlowButton::DrawStepGradient(c, Color(), FColorTo, 16, r, false);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  c->Font()->Assign(FFont);
  String text = Text();
  TRect t = r;
  c->TextRect(t, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  c->Pen()->SetColor(0x808080);
  c->RoundRect(r.left, r.top, r.right, r.bottom, 3, 3);
}

void TShortCutHintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  THintWindow::Dispatch(Message);
}

TPoint ShortCutHintPosition(TShortCutHintPos Pos, int X, int Y, int W, int H, int w, int h) {
  using P = TShortCutHintPos;
  switch (Pos) {
    case P::shpLeft: return TPoint(X + 6, Y + (H - h) / 2);
    case P::shpAuto:
    case P::shpTop: return TPoint(X + (W - w) / 2, Y - h / 2);
    case P::shpRight: return TPoint(X + W - w / 2, Y + (H - h) / 2);
    case P::shpBottom: return TPoint(X + (W - w) / 2, Y + H - h / 2);
    case P::shpCenter: return TPoint(X + (W - w) / 2, Y + (H - h) / 2);
    case P::shpTopLeft: return TPoint(X + 6, Y - h / 2);
    case P::shpTopRight: return TPoint(X + W - w + 1, Y - h / 2);
    case P::shpAboveTop: return TPoint(X + (W - w) / 2, Y - h);
    case P::shpAboveTopLeft: return TPoint(X + 6, Y - h);
    case P::shpAboveTopRight: return TPoint(X + W - w + 1, Y - h);
    case P::shpBottomLeft: return TPoint(X + 6, Y + H - h / 2);
    case P::shpBottomRight: return TPoint(X + W - w + 1, Y + H - h / 2);
    case P::shpBelowBottom: return TPoint(X + (W - w) / 2, Y + H);
    case P::shpBelowBottomLeft: return TPoint(X + 6, Y + H);
    case P::shpBelowBottomRight: return TPoint(X + W - w + 1, Y + H);
    case P::shpBelowBottomCenter: return TPoint(X + (W - w) / 2, Y + H);
  }
  return TPoint(X, Y);
}

namespace {
WORD gClearHintControl = 0;
int gHintUnitCount = 0;
}  // namespace

WORD ClearHintControlMessage() { return gClearHintControl; }

void InitHintControlUnit() {
  if (gHintUnitCount++ > 0) return;
  gClearHintControl = static_cast<WORD>(RegisterWindowMessageW(L"ClearHintControl"));
}

void FiniHintControlUnit() {
  if (gHintUnitCount > 0) --gHintUnitCount;
}
