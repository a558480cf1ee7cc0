#include "ui/controls/statusbar/AdvOfficeStatusBar.h"

#include <windowsx.h>

#include "base/FormatSettings.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/statusbar/AdvOfficeStatusBarPaint.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/PictureContainer.h"

using OfficeStatusBar::TVistaBackground;
using PS = TAdvOfficeStatusPanelStyle;

namespace {
TStatusBarRibbonLink gRibbonLink;
constexpr UINT_PTR kTimerId = 111;
}  // namespace

void SetStatusBarRibbonLink(const TStatusBarRibbonLink& Link) { gRibbonLink = Link; }
const TStatusBarRibbonLink& StatusBarRibbonLink() { return gRibbonLink; }

TDummyHintControl::TDummyHintControl(TComponent* AOwner) : TControl(AOwner), FOfficeHint(new TAdvHintInfo) {
  SetVisible(false);
}

// ---------------------------------------------------------------------------
// Life

TAdvOfficeStatusBar::TAdvOfficeStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
  using CS = TControlStyleItem;
  FControlStyle = {CS::csCaptureMouse, CS::csClickEvents, CS::csDoubleClicks, CS::csAcceptsControls, CS::csOpaque};
  FInternalOfficeStatusBarStyler = new TCustomAdvOfficeStatusBarStyler(this);
  FInternalOfficeStatusBarStyler->SetName(L"InternalStyler");
  FInternalOfficeStatusBarStyler->SetSubComponent(true);
  FCurrentOfficeStatusBarStyler = FInternalOfficeStatusBarStyler;
  FInternalOfficeStatusBarStyler->AddControl(this);
  SetColor(clBtnFace);
  SetHeight(19);
  FDTHeight = 19;
  SetAlign(TAlign::alBottom);
  FPanels = new TAdvOfficeStatusPanels(this);
  FPanels->OnChange = [this](TObject* s) { PanelsChanged(s); };
  SetParentFont(false);
  FDummyHintControl = new TDummyHintControl(this);
  SetDoubleBuffered(true);
}

void TAdvOfficeStatusBar::Destroy() {
  if (TAdvOfficeStatusPanels* p = FPanels) {
    FPanels = nullptr;
    p->Free();
  }
  if (TCustomAdvOfficeStatusBarStyler* s = FOfficeStatusBarStyler) {
    FOfficeStatusBarStyler = nullptr;
    try {
      s->RemoveControl(this);
      s->RemoveFreeNotification(this);
    } catch (...) {
    }
  }
  FCurrentOfficeStatusBarStyler = nullptr;
  if (TCustomAdvOfficeStatusBarStyler* s = FInternalOfficeStatusBarStyler) {
    FInternalOfficeStatusBarStyler = nullptr;
    s->Free();
  }
  TCustomControl::Destroy();
}

void TAdvOfficeStatusBar::CreateWnd() {
  TCustomControl::CreateWnd();
  if (IsDesigning() && FPanels->Count() == 0) {
    FPanels->Add()->SetWidth(80);
    FPanels->Add()->SetWidth(100);
    FPanels->Add()->SetWidth(130);
    FPanels->Add();
  }
  FTimerID = SetTimer(FHandle, kTimerId, 100, nullptr);
}

void TAdvOfficeStatusBar::DestroyWnd() {
  if (FTimerID && FHandle) KillTimer(FHandle, FTimerID);
  FTimerID = 0;
  TCustomControl::DestroyWnd();
}

void TAdvOfficeStatusBar::Loaded() {
  TCustomControl::Loaded();
  FDTHeight = Height();
  FOldCursor = Cursor();
  auto* form = dynamic_cast<TCustomForm*>(Parent());
  if (form && form->Scaled()) {
    float s = static_cast<float>(MonitorPixelsPerInch(form->HandleAllocated() ? form->Handle() : nullptr)) / 96.0f;
    SetHeight(static_cast<int>(Round(static_cast<double>(FDTHeight * s))));
    for (int i = 0; i < FPanels->Count(); ++i) {
      TAdvOfficeStatusPanel* p = FPanels->Items(i);
      p->SetWidth(static_cast<int>(Round(static_cast<double>(s * p->Width()))));
    }
  }
  if (Height() % 2 == 0) SetHeight(Height() + 1);
  UpdateStatusBar();
  ApplySystemFont();
  AutoSizePanels();
}

void TAdvOfficeStatusBar::ChangeScale(int M, int D) {
  auto* form = dynamic_cast<TCustomForm*>(Parent());
  if (!IsLoading() && form && form->Scaled() && D != 0) {
    for (int i = 0; i < FPanels->Count(); ++i) {
      TAdvOfficeStatusPanel* p = FPanels->Items(i);
      p->SetWidth(static_cast<int>(Round(static_cast<double>(M) * p->Width() / D)));
    }
  }
  if (FUseSystemFont) {
    if (D != 0) SetTop(MulDiv(Top(), M, D));
    return;
  }
  TCustomControl::ChangeScale(M, D);
}

void TAdvOfficeStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FDisabledImages) {
    FDisabledImages = nullptr;
    Invalidate();
  }
  if (AComponent == FOfficeStatusBarStyler) {
    FOfficeStatusBarStyler = nullptr;
    FCurrentOfficeStatusBarStyler = FInternalOfficeStatusBarStyler;
    Invalidate();
  }
  if (FPanels)
    for (int i = 0; i < FPanels->Count(); ++i)
      if (FPanels->Items(i)->AnimationImages() == AComponent) FPanels->Items(i)->SetAnimationImages(nullptr);
  if (FContainer && AComponent == FContainer) FContainer = nullptr;
}

// ---------------------------------------------------------------------------
// Properties

void TAdvOfficeStatusBar::SetPanels(TAdvOfficeStatusPanels* Value) {
  if (!Value || Value == FPanels) return;
  FPanels->BeginUpdate();
  try {
    FPanels->Clear();
    for (int i = 0; i < Value->Count(); ++i) FPanels->Add()->AssignAll(Value->Items(i));
  } catch (...) {
    FPanels->EndUpdate();
    throw;
  }
  FPanels->EndUpdate();
}

void TAdvOfficeStatusBar::SetSimpleText(const String& Value) {
  if (FSimpleText == Value) return;
  FSimpleText = Value;
  Invalidate();
}

void TAdvOfficeStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value) return;
  FSimplePanel = Value;
  Invalidate();
}

void TAdvOfficeStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  RecreateWnd();
}

void TAdvOfficeStatusBar::SetShowSplitter(bool Value) {
  if (FShowSplitter == Value) return;
  FShowSplitter = Value;
  Invalidate();
}

void TAdvOfficeStatusBar::SetStretchPanel(int Value) {
  if (Value < -1 || Value >= FPanels->Count()) return;
  FStretchPanel = Value;
  Invalidate();
}

void TAdvOfficeStatusBar::SetAntiAlias(TAntiAlias Value) {
  FAntiAlias = Value;
  Invalidate();
}

void TAdvOfficeStatusBar::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TAdvOfficeStatusBar::SetDisabledImages(TCustomImageList* Value) {
  FDisabledImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TAdvOfficeStatusBar::SetPictureContainer(TPictureContainer* Value) {
  FContainer = Value;
  if (Value) Value->FreeNotification(this);
}

void TAdvOfficeStatusBar::SetUseSystemFont(bool Value) {
  FUseSystemFont = Value;
  if (!Value) return;
  SetParentFont(false);
  ApplySystemFont();
}

void TAdvOfficeStatusBar::ApplySystemFont() {
  if (!FUseSystemFont || IsLoading() || !Screen) return;
  Font()->Assign(Screen->HintFont());
}

// ---------------------------------------------------------------------------
// Styling

void TAdvOfficeStatusBar::SetStyler(TCustomAdvOfficeStatusBarStyler* Value) {
  if (Value && Value == FOfficeStatusBarStyler) return;
  if (FOfficeStatusBarStyler && FOfficeStatusBarStyler != FInternalOfficeStatusBarStyler) {
    FOfficeStatusBarStyler->RemoveControl(this);
    FOfficeStatusBarStyler->RemoveFreeNotification(this);
  }
  FOfficeStatusBarStyler = Value;
  if (Value) {
    FCurrentOfficeStatusBarStyler = Value;
    Value->AddControl(this);
    Value->FreeNotification(this);
  } else {
    FCurrentOfficeStatusBarStyler = FInternalOfficeStatusBarStyler;
  }
  Invalidate();
}

void TAdvOfficeStatusBar::RemoveStyler() {
  FCurrentOfficeStatusBarStyler = FInternalOfficeStatusBarStyler;
  FInternalOfficeStatusBarStyler->AddControl(this);
  Invalidate();
}

void TAdvOfficeStatusBar::StylerChanged(int Kind) { Invalidate(); }

void TAdvOfficeStatusBar::SetColorTones(const TColorTones& ATones) {
  FMetro = !ColorTonesEmpty(ATones);
  TCustomAdvOfficeStatusBarStyler* s = FCurrentOfficeStatusBarStyler;
  if (!s) return;
  s->SetBorderColor(ATones.Background.BorderColor);
  auto states = [&](TVistaBackground* a) {
    a->SetBorderColor(clNone);
    a->SetColorHot(ATones.Hover.BrushColor);
    a->SetColorHotTo(ATones.Hover.BrushColor);
    a->SetColorMirrorHot(ATones.Hover.BrushColor);
    a->SetColorMirrorHotTo(ATones.Hover.BrushColor);
    a->SetBorderColorHot(ATones.Hover.BorderColor);
    a->SetTextColorHot(ATones.Hover.TextColor);
    a->SetColorDown(ATones.Selected.BrushColor);
    a->SetColorDownTo(ATones.Selected.BrushColor);
    a->SetColorMirrorDown(ATones.Selected.BrushColor);
    a->SetColorMirrorDownTo(ATones.Selected.BrushColor);
    a->SetBorderColorDown(ATones.Selected.BorderColor);
    a->SetTextColorDown(ATones.Selected.TextColor);
  };
  auto normal = [](TVistaBackground* a, const TColorTone& T) {
    a->SetColor(T.BrushColor);
    a->SetColorTo(T.BrushColor);
    a->SetColorMirror(T.BrushColor);
    a->SetColorMirrorTo(T.BrushColor);
    a->SetTextColor(T.TextColor);
  };
  states(s->PanelAppearanceLight());
  states(s->PanelAppearanceDark());
  normal(s->PanelAppearanceLight(), ATones.Background);
  normal(s->PanelAppearanceDark(), ATones.Foreground);
  Invalidate();
}

// ---------------------------------------------------------------------------
// Layout

int TAdvOfficeStatusBar::IndexOfPanel(TAdvOfficeStatusPanel* Panel) const {
  if (!Panel || !FPanels || Panel->Collection() != FPanels) return -1;
  return Panel->Index();
}

bool TAdvOfficeStatusBar::IsLastPanel(TAdvOfficeStatusPanel* Panel) const {
  int i = IndexOfPanel(Panel);
  return i >= 0 && i == FPanels->Count() - 1;
}

int TAdvOfficeStatusBar::OtherPanelsWidth() const {
  int others = 0;
  for (int i = 0; i < FPanels->Count(); ++i)
    if (i != FStretchPanel) others += FPanels->Items(i)->Width();
  return others;
}

TRect TAdvOfficeStatusBar::GetPanelRect(int Index) {
  if (!FPanels || Index < 0 || Index >= FPanels->Count()) return TRect(-1, -1, -1, -1);
  const int n = FPanels->Count();
  const int others = OtherPanelsWidth();
  int L = 0;
  for (int i = 0; i < n; ++i) {
    int right;
    if (i == FStretchPanel)
      right = Max(L, Width() - others + L);
    else if (i == n - 1)
      right = Max(L, Width() - 1);
    else
      right = L + FPanels->Items(i)->Width();
    if (i == Index) return TRect(L, 1, right, Height() - 1);
    L = right;
  }
  return TRect(-1, -1, -1, -1);
}

void TAdvOfficeStatusBar::PaintLayout(std::vector<TRect>& Rects) {
  Rects.clear();
  if (!FPanels) return;
  const int n = FPanels->Count();
  const int others = OtherPanelsWidth();
  int L = 0;
  for (int i = 0; i < n; ++i) {
    int right;
    if (i == FStretchPanel)
      right = Max(L, Width() - others + L);
    else if (i == n - 1 && FStretchPanel == -1)
      right = Max(L, Width());
    else
      right = L + FPanels->Items(i)->Width();
    TRect r(L, 0, right, Height() - 1);
    if (r.left == 0) r.left = 1;
    if (r.right == Width() - 1) r.right = Width() - 2;
    Rects.push_back(r);
    L = right;
  }
}

TRect TAdvOfficeStatusBar::GetPanelPaintRect(int Index) {
  std::vector<TRect> rects;
  PaintLayout(rects);
  if (Index < 0 || Index >= static_cast<int>(rects.size())) return TRect(-1, -1, -1, -1);
  return rects[static_cast<size_t>(Index)];
}

int TAdvOfficeStatusBar::GetPanel(int X) {
  if (!FPanels) return -1;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TRect r = GetPanelRect(i);
    if (r.left <= X && X <= r.right) return i;
  }
  return -1;
}

int TAdvOfficeStatusBar::GetSplitterAt(int X) {
  if (!FPanels) return -1;
  for (int i = 0; i < FPanels->Count(); ++i) {
    int r = GetPanelRect(i).right;
    if (r - 2 < X && X < r + 2) return i;
  }
  return -1;
}

void TAdvOfficeStatusBar::InvalidatePanel(int Index) {
  if (!HandleAllocated()) return;
  if (FPanels && Index >= 0 && Index < FPanels->Count()) {
    TRect r = GetPanelRect(Index);
    InvalidateRect(FHandle, &r, FALSE);
  } else {
    Invalidate();
  }
}

void TAdvOfficeStatusBar::PanelsChanged(TObject*) {
  if (FPanels && FPanels->UpdateCount() != 0) return;
  Invalidate();
}

void TAdvOfficeStatusBar::Resize() {
  if (!IsLoading()) TCustomControl::Resize();
  Repaint();
}

// ---------------------------------------------------------------------------
// Size grip and form

bool TAdvOfficeStatusBar::IsFormSizeable() {
  auto* form = dynamic_cast<TCustomForm*>(Parent());
  if (!form) return false;
  for (int i = 0; i < form->ControlCount(); ++i)
    if (form->Controls(i)->ClassName() == L"TAdvToolBarPager") return true;
  ISizeableFrameForm* frame = nullptr;
  if (Supports(form, frame)) return true;
  return form->BorderStyle() == TFormBorderStyle::bsSizeable || form->BorderStyle() == TFormBorderStyle::bsSizeToolWin;
}

bool TAdvOfficeStatusBar::IsSizeGripVisible() {
  if (!FSizeGrip || !IsFormSizeable()) return false;
  if (auto* form = dynamic_cast<TCustomForm*>(Parent())) {
    if (form->HandleAllocated()) {
      WINDOWPLACEMENT wp{};
      wp.length = sizeof(wp);
      if (GetWindowPlacement(form->Handle(), &wp) && wp.showCmd == SW_SHOWMAXIMIZED) return false;
    } else if (form->WindowState() == TWindowState::wsMaximized) {
      return false;
    }
  }
  return true;
}

void TAdvOfficeStatusBar::HitTest(TMessage& Message) {
  DefaultHandler(Message);
  if (IsDesigning()) return;
  TPoint p = ScreenToClient(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
  auto* form = dynamic_cast<TCustomForm*>(Parent());
  const int w = Width(), h = Height();
  ISizeableFrameForm* frame = nullptr;
  if (form && Supports(form, frame)) {
    Message.Result = HTCLIENT;
    if (p.y > h - 4 || p.x > w - 4) Message.Result = HTTRANSPARENT;
    return;
  }
  if (form && ((form->BorderStyle() != TFormBorderStyle::bsSizeable &&
                form->BorderStyle() != TFormBorderStyle::bsSizeToolWin) ||
               FMetro))
    return;
  if (p.y > h - GetSystemMetrics(SM_CYHSCROLL) && p.x > w - GetSystemMetrics(SM_CXHSCROLL) &&
      Message.Result == HTCLIENT && IsSizeGripVisible()) {
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Message.Result = HTBOTTOMRIGHT;
    return;
  }
  if (p.y > h - 4 || p.x > w - 4) Message.Result = HTTRANSPARENT;
}

// ---------------------------------------------------------------------------
// Timer

void TAdvOfficeStatusBar::UpdateStatusBar() {
  if (IsDestroying() || !FPanels) return;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TAdvOfficeStatusPanel* p = FPanels->Items(i);
    switch (p->Style()) {
      case PS::psHTML:
        if ((FTimerCount == 5 || FTimerCount == 10) && AnsiUpperCase(p->Text()).find(L"<BLINK") != String::npos) {
          String s = p->Text();
          p->SetText(L"");
          p->SetText(s);
        }
        break;
      case PS::psTime: p->SetText(FormatDateTime(p->TimeFormat(), Now())); break;
      case PS::psDate: p->SetText(FormatDateTime(p->DateFormat(), Now())); break;
      case PS::psNumLock: p->SetText(IsKeyToggled(VK_NUMLOCK) ? L"NUM" : L""); break;
      case PS::psCapsLock: p->SetText(IsKeyToggled(VK_CAPITAL) ? L"CAP" : L""); break;
      case PS::psScrollLock: p->SetText(IsKeyToggled(VK_SCROLL) ? L"SCRL" : L""); break;
      case PS::psAnimation:
        if (TCustomImageList* il = p->AnimationImages()) {
          if (FTimerCount % (p->AnimationDelay() + 1) == 0) {
            int next = p->AnimIndex() + 1;
            p->SetAnimIndex(next >= il->Count() ? 0 : next);
            String s = p->Text();
            p->SetText(L"*");
            p->SetText(s);
          }
        }
        break;
      default: break;
    }
  }
}

bool TAdvOfficeStatusBar::DoHint() {
  if (!OnHint) return false;
  OnHint(this);
  return true;
}

// ---------------------------------------------------------------------------
// Flipping and automatic widths

void TAdvOfficeStatusBar::FlipChildren(bool AllLevels) {
  if (!HandleAllocated() || FSimplePanel || FPanels->Count() == 0) return;
  const int n = FPanels->Count();
  int others = 0;
  for (int i = 0; i < n - 1; ++i) others += FPanels->Items(i)->Width();
  const int lastWidth = ClientWidth() - others;
  const int firstWidth = FPanels->Items(0)->Width();
  TAdvOfficeStatusPanels copy(nullptr);
  for (int i = 0; i < n; ++i) copy.Add()->AssignAll(FPanels->Items(i));
  FPanels->BeginUpdate();
  for (int i = 0; i < n; ++i) FPanels->Items(i)->AssignAll(copy.Items(n - 1 - i));
  if (n > 1) {
    FPanels->Items(n - 1)->SetWidth(firstWidth);
    FPanels->Items(0)->SetWidth(lastWidth);
  }
  FPanels->EndUpdate();
}

void TAdvOfficeStatusBar::AutoSizePanels() {
  if (!FPanels) return;
  // Outside a window the text is measured on a memory canvas.
  TOwned<TBitmap> scratch;
  TCanvas* canvas = Canvas();
  if (!HandleAllocated()) {
    scratch = new TBitmap(1, 1);
    canvas = scratch->Canvas();
  }
  canvas->Font()->Assign(Font());
  const int n = FPanels->Count();
  for (int i = 0; i < n; ++i) {
    TAdvOfficeStatusPanel* p = FPanels->Items(i);
    if (!p->AutoSize()) continue;
    String text;
    int imageWidth = 0;
    switch (p->Style()) {
      case PS::psHTML: {
        THtmlRenderParams hp;
        hp.Canvas = canvas;
        hp.Cache = &FHtmlCache;
        hp.HTML = p->Text();
        hp.R = TRect(0, 0, 1000, 100);
        hp.Images = FImages;
        hp.CheckHeight = true;
        hp.PictureContainer = FContainer;
        hp.URLColor = FURLColor;
        THtmlRenderResult hr;
        RenderHtml(hp, hr);
        p->SetWidth(Max(p->MinWidth(), hr.XSize + 10));
        continue;
      }
      case PS::psText:
      case PS::psTime:
      case PS::psDate: text = p->Text(); break;
      case PS::psNumLock: text = L"NUM"; break;
      case PS::psCapsLock: text = L"CAP"; break;
      case PS::psScrollLock: text = L"SCRL"; break;
      case PS::psImage:
        text = p->Text();
        if (FImages && p->ImageIndex() >= 0) imageWidth = FImages->Width();
        break;
      default: continue;
    }
    if (text.empty()) continue;
    TRect tr;
    OfficeStatusBar::DrawGDIPText(canvas, p->Alignment(), DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS,
                                  TRect(0, 0, 1000, 100), text, canvas->Font(), Enabled(), false, FAntiAlias, true,
                                  tr);
    int w = tr.right - tr.left + imageWidth + 12;
    if (i == n - 1 && FSizeGrip)
      p->SetWidth(Max(p->MinWidth(), w) + 16);
    else
      p->SetWidth(Max(p->MinWidth(), w));
  }
}

// ---------------------------------------------------------------------------
// Messages

void TAdvOfficeStatusBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_TIMER:
      UpdateStatusBar();
      if (++FTimerCount > 10) FTimerCount = 0;
      return;
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FSimpleText.size());
      return;
    case WM_NCHITTEST:
      HitTest(Message);
      return;
    case CM_HINTSHOW:
      DoHintShow(Message);
      return;
    case WM_LBUTTONDBLCLK: {
      TCustomControl::Dispatch(Message);
      int x = GET_X_LPARAM(Message.LParam);
      if (OnPanelDblClick) OnPanelDblClick(this, GetPanel(x));
      return;
    }
    case CM_MOUSELEAVE:
      SetDownPanel(-1, 0);
      SetHotPanel(-1);
      TCustomControl::Dispatch(Message);
      return;
    case CM_DESIGNHITTEST: {
      FHitTest = TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      Message.Result = GetSplitterAt(FHitTest.x) >= 0 || FSizePanel >= 0 ? 1 : 0;
      return;
    }
    case WM_SETCURSOR:
      if (IsDesigning() && GetSplitterAt(FHitTest.x) >= 0) {
        ::SetCursor(CursorHandle(crHSplit));
        Message.Result = 1;
        return;
      }
      break;
    case CM_BIDIMODECHANGED:
      TCustomControl::Dispatch(Message);
      if (FPanels)
        for (int i = 0; i < FPanels->Count(); ++i) FPanels->Items(i)->ParentBiDiModeChanged();
      return;
    case CM_PARENTFONTCHANGED:
      if (FParentFont) FUseSystemFont = false;
      break;
    case WM_SETTINGCHANGE:
    case CM_WININICHANGE:
      TCustomControl::Dispatch(Message);
      if (Message.WParam == 0 || Message.WParam == SPI_SETNONCLIENTMETRICS) ApplySystemFont();
      return;
    case CM_SYSFONTCHANGED:
      ApplySystemFont();
      return;
    case CM_COLORCHANGED:
      TCustomControl::Dispatch(Message);
      RecreateWnd();
      return;
    case WM_SYSCOLORCHANGE:
    case CM_SYSCOLORCHANGE:
      TCustomControl::Dispatch(Message);
      RecreateWnd();
      return;
    default:
      break;
  }
  TCustomControl::Dispatch(Message);
}
