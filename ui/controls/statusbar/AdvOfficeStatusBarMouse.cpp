// The status bar's mouse: hot and pressed button panels, panel clicks,
// links in HTML text and the design-time splitter drag.
#include "ui/controls/statusbar/AdvOfficeStatusBar.h"
#include "ui/draw/HtmlRender.h"

using PS = TAdvOfficeStatusPanelStyle;

void TAdvOfficeStatusBar::GetAnchorAt(int X, int Y, String& Anchor, String& Title) {
  Anchor.clear();
  Title.clear();
  if (!FPanels || !HandleAllocated()) return;
  THtmlRenderParams p;
  p.Canvas = Canvas();
  p.Cache = &FHtmlCache;
  Canvas()->Font()->Assign(Font());
  if (FSimplePanel) {
    p.HTML = FSimpleText;
    p.R = SimpleTextRect();
    p.WordWrap = false;
    p.BiDiMode = BiDiMode();
  } else {
    int index = GetPanel(X);
    if (index < 0) return;
    TAdvOfficeStatusPanel* panel = FPanels->Items(index);
    // Links exist only where markup is drawn, and are found where they are
    // drawn: the panel's painted rectangle, its insets, its alignment and
    // its vertical centring.
    if (panel->Style() != PS::psHTML) return;
    Canvas()->Font()->SetStyle(AppearanceOf(panel)->TextStyle());
    TRect content = PanelContentRect(panel, GetPanelPaintRect(index));
    if (content.IsEmpty()) return;
    p.HTML = panel->Text();
    p.R = HTMLTextRect(panel, content, EffectiveAlignment(panel));
  }
  p.Images = FImages;
  p.X = X;
  p.Y = Y;
  p.CheckOnly = true;
  p.IgnoreColors = true;
  p.Blink = true;
  p.URLColor = FURLColor;
  p.HoverColor = clNone;
  p.HoverFontColor = clNone;
  p.PictureContainer = FContainer;
  THtmlRenderResult r;
  if (RenderHtml(p, r)) {
    Anchor = r.AnchorVal;
    Title = r.FocusAnchor;
  }
}

void TAdvOfficeStatusBar::SetHotPanel(int Index) {
  if (Index == FHotPanelIndex) return;
  int old = FHotPanelIndex;
  FHotPanelIndex = Index;
  if (old >= 0) InvalidatePanel(old);
  if (Index >= 0) InvalidatePanel(Index);
}

void TAdvOfficeStatusBar::SetDownPanel(int Index, int Y) {
  if (Index >= 0 && Index == FDownPanelIndex) return;
  if (FDownPanelIndex >= 0) {
    int old = FDownPanelIndex;
    FDownPanelIndex = -1;
    InvalidatePanel(old);
  }
  if (Index >= 0 && FPanels->Items(Index)->Button() && Y > 0 && Y < Height()) {
    FDownPanelIndex = Index;
    InvalidatePanel(Index);
  }
}

void TAdvOfficeStatusBar::MouseMove(TShiftState Shift, int X, int Y) {
  if (IsDesigning() && FSizePanel != -1 && FSizePanel < FPanels->Count())
    FPanels->Items(FSizePanel)->SetWidth(X + FSizeWidth - FSizeDownX);

  String anchor, title;
  GetAnchorAt(X, Y, anchor, title);

  int index = GetPanel(X);
  if (index != FMousePanel) {
    CancelPanelHint();
    FMousePanel = index;
  }

  if (index < 0) {
    SetHotPanel(-1);
  } else if (index != FHotPanelIndex) {
    SetHotPanel(-1);
    if (FPanels->Items(index)->Button() && Y > 0 && Y < Height()) SetHotPanel(index);
  }

  if (!anchor.empty()) {
    if (Cursor() == crDefault || anchor != FAnchor) {
      FAnchor = anchor;
      SetCursor(crHandPoint);
      if (FAnchorHint) CancelPanelHint();
      if (OnAnchorEnter) OnAnchorEnter(this, anchor);
    }
  } else if (Cursor() == crHandPoint && FOldCursor != crHandPoint) {
    SetCursor(crDefault);
    if (OnAnchorExit) OnAnchorExit(this, L"");
  }

  TCustomControl::MouseMove(Shift, X, Y);
}

void TAdvOfficeStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (IsDesigning()) {
    FSizePanel = GetSplitterAt(X);
    if (FSizePanel >= 0) {
      FSizeDownX = X;
      FSizeWidth = FPanels->Items(FSizePanel)->Width();
    }
  }
  int index = GetPanel(X);
  SetDownPanel(index, Y);
  if (Button == TMouseButton::mbLeft && OnPanelClick) OnPanelClick(this, index);
  if (Button == TMouseButton::mbRight && OnPanelRightClick) OnPanelRightClick(this, index);
  String anchor, title;
  GetAnchorAt(X, Y, anchor, title);
  if (!anchor.empty()) FollowLink(anchor);
}

void TAdvOfficeStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FSizePanel = -1;
  SetDownPanel(-1, 0);
}
