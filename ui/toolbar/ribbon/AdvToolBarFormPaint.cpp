// The ribbon form's own painting: its 1-pixel border in the styler's form
// border colour (rounded before Vista), the tone border with its side
// lines and size grip, the client below a glass caption, and erasing.
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/runtime/ThemeBinding.h"

void TAdvToolBarForm::PaintWindow(HDC DC) {
  TForm::PaintWindow(DC);
  FCanvas->Lock();
  FCanvas->SetHandle(DC);
  struct Release {
    TCanvas* c;
    ~Release() {
      c->SetHandle(nullptr);
      c->Unlock();
    }
  } release{FCanvas};
  FCanvas->Font()->Assign(Font());
  FCanvas->Brush()->SetColor(Color());
  Paint();
}

void TAdvToolBarForm::EraseBackground(TMessage& Message) {
  if (!(FIsAeroVista && FSubClassAsRibbon)) {
    TForm::Dispatch(Message);
    return;
  }
  Message.Result = 1;
  if (Message.WParam != static_cast<WPARAM>(Message.LParam)) return;
  TRect r = ClientRect();
  r.top = ScaledCaptionHeight;
  r.right -= 2;
  ::FillRect(reinterpret_cast<HDC>(Message.WParam), &r, Brush()->Handle());
}

void TAdvToolBarForm::Paint() {
  if (!FSubClassAsRibbon) return;
  TCanvas* c = FCanvas;
  const bool maximized = WindowState() == TWindowState::wsMaximized;
  const bool vista = IsVistaOrLater();
  const int w = Width(), h = Height();
  if (!vista && !FIsAeroVista && maximized && !IsDesigning() && !IsMaximizedGlass() && FMaxY > 0 && FMaxY < h &&
      IsTaskBarAutoHide() && IsFullyMaximized())
    SetHeight(FMaxY);
  TColor border = clGray;
  int captionDepth = 0;
  if (TAdvToolBarPager* pager = FirstPager()) {
    border = pager->CurrentToolBarStyler()->FormBorderColor();
    captionDepth = pager->Caption()->Height() + 25;
  }
  c->Pen()->SetStyle(TPenStyle::psSolid);
  c->Pen()->SetWidth(1);
  if (FIsAeroVista) {
    if (WindowState() != FOldWndState && HandleAllocated()) {
      // The glass is extended anew for the new state.
      FOldWndState = WindowState();
      FInternalActivate = true;
      SendMessageW(Handle(), WM_ACTIVATE, 1, 0);
      FInternalActivate = false;
    }
    int captionHeight = ScaledCaptionHeight + (maximized && !IsMaximizedGlass() ? 6 : 0);
    if (!IsDwmCompositionEnabled())
      DrawGlowText(this, L"", TRect(w - 150, 0, w, captionHeight), false, TRect(0, 0, 0, 0), clNone, false);
    TRect client = ClientRect();
    client.top = captionHeight;
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(client);
    c->Brush()->SetColor(clBlack);
    c->FrameRect(client);
    return;
  }
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  if (BorderStyle() != TFormBorderStyle::bsNone) {
    c->Pen()->SetColor(border);
    const int bw = 0;  // the form has no frame of its own here
    if (maximized && !IsMaximizedGlass() && IsFullyMaximized()) {
      if (vista)
        c->Rectangle(TRect(0, 0, w - 6, h - 6));
      else
        c->Rectangle(TRect(0, 0, w - 2 * bw - 7, h - 2 * bw - 7));
    } else if (!vista) {
      c->RoundRect(0, 0, w - 2 * bw - 7, h - 2 * bw - 7, 8, 8);
    } else if (!maximized) {
      // The borderless frame's 1-pixel border.
      c->Rectangle(TRect(0, 0, w, h));
    }
  }
  if (IsSingleBorderActive() || (FItones && !IsDesigning())) {
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->Pen()->SetColor(FItones ? FBorderClr : border);
    if (FThickBorder && !maximized) {
      int pw = static_cast<int>(Round(4.0L * DPIFactor));
      c->Pen()->SetWidth(pw);
      c->Rectangle(TRect(pw / 2, pw / 2, w - pw / 2 + 1, h - pw / 2 + 1));
      c->Pen()->SetWidth(1);
    } else if (FItones) {
      c->Rectangle(TRect(0, 0, w, h));
      c->Pen()->SetWidth(FBorderWidth);
      for (int x : {w - 1, 0, 1}) {
        c->MoveTo(x, 0);
        c->LineTo(x, captionDepth);
      }
      c->Pen()->SetWidth(1);
    } else {
      c->Rectangle(TRect(0, 0, w, h));
    }
  }
  if (!IsDesigning() && FSizeGrip && !maximized && FItones) DrawSizeGrip();
}

void TAdvToolBarForm::DrawSizeGrip() {
  TCanvas* c = FCanvas;
  c->Brush()->SetStyle(TBrushStyle::bsSolid);
  c->Brush()->SetColor(FSizeGripColor);
  int cw = ClientWidth(), ch = ClientHeight();
  // Four rows of 2 x 2 dots, 4 at the bottom to 1 at the top, each row
  // ending at the right.
  for (int row = 0; row < 4; ++row) {
    int y = ch - 3 - 3 * row;
    for (int dot = 0; dot < 4 - row; ++dot) {
      int x = cw - 3 - 3 * dot;
      c->FillRect(TRect(x - 2, y - 2, x, y));
    }
  }
}
