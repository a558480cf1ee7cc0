// The pager's window: its creation (with the pages a designer starts
// with), resizing with the glass region and the caption layer, the hit
// test that lets the form's frame take the pager's edges, the tab hints,
// the scenic look told to the children that follow it, and the colour of
// the application button on glass.
#include <windowsx.h>

#include "base/Hints.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"

// ---------------------------------------------------------------------------
// Caption layer

void TAdvToolBarPager::CreateCaptionLayer() {
  if (IsDesigning() || !FIsAeroVista) return;
  if (!FCaptionLayer) {
    FCaptionLayer = new TCaptionLayer(this);
    FCaptionLayer->SetParent(this);
    FCaptionLayer->SetAlign(TAlign::alNone);
    FCaptionLayer->SendToBack();
    FCaptionLayer->OnTextPaint = [this](TObject* Sender, String& Text, TRect& TxtR, TAlignment& Algn) {
      CaptionLayerTextPaint(Sender, Text, TxtR, Algn);
    };
    // What the layer hears reaches the pager at the pager's coordinates.
    auto offset = [this](int& X, int& Y) {
      X += FCaptionLayer->Left();
      Y += FCaptionLayer->Top();
    };
    FCaptionLayer->OnMouseDown = [this, offset](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
      offset(X, Y);
      MouseDown(Button, Shift, X, Y);
    };
    FCaptionLayer->OnMouseUp = [this, offset](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
      offset(X, Y);
      MouseUp(Button, Shift, X, Y);
    };
    FCaptionLayer->OnDoubleClick = [this, offset](TObject*, int X, int Y) {
      offset(X, Y);
      LButtonDblClick(X, Y);
    };
  }
  PlaceCaptionLayer();
}

void TAdvToolBarPager::PlaceCaptionLayer() {
  if (IsDesigning() || IsLoading() || !FPropertiesLoaded || !FIsAeroVista || !FCaptionLayer) return;
  FCaptionLayer->SetText(FCaption->Caption());
  TRect r = GetCaptionRect();
  FCaptionLayer->SetBounds(r.left, r.top, r.Width(), r.Height());
  FCaptionLayer->SetVisible(FUseCaptionLayer);
}

void TAdvToolBarPager::CaptionLayerTextPaint(TObject* Sender, String&, TRect&, TAlignment&) {
  if (auto* layer = dynamic_cast<TCaptionLayer*>(Sender)) DrawGlassCaptionText(layer);
}

// ---------------------------------------------------------------------------
// Window

void TAdvToolBarPager::CreateWnd() {
  FRegionSet = false;
  if (IsDestroying()) return;
  TCustomControl::CreateWnd();
  if (!IsDesigning()) SetAeroRegion();
  if (FDesignTime && !Name().empty()) {
    FDesignTime = false;
    AddDefaultPages();
  }
}

void TAdvToolBarPager::AddDefaultPages() {
  if (AdvPageCount() > 0) return;
  for (int i = 0; i < ComponentCount(); ++i)
    if (dynamic_cast<TAdvPage*>(Components(i))) return;
  TComponent* owner = Owner() ? Owner() : this;
  for (int n = 1; n <= 3; ++n) {
    // A name another component of the owner holds already gets a suffix.
    String name = Name() + std::to_wstring(n);
    for (int k = 1; owner->FindComponent(name); ++k) name = Name() + std::to_wstring(n) + L"_" + std::to_wstring(k);
    auto* page = new TAdvPage(owner);
    page->SetName(name);
    page->SetParent(this);
    page->SetCaption(name);
    AddAdvPage(page);
  }
  SetActivePageIndex(0);
}

void TAdvToolBarPager::Resize() {
  TCustomControl::Resize();
  if (!FIsAeroVista) return;
  if (HandleAllocated()) SetAeroRegion();
  PlaceCaptionLayer();
}

bool TAdvToolBarPager::TransparentAt(int X, int Y) const {
  return !IsDesigning() && (Y < 3 || X < 3 || X > Width() - 6);
}

// ---------------------------------------------------------------------------
// Tab hints

void TAdvToolBarPager::TabHintShow(THintInfo& Info) {
  if (!FShowTabHint) {
    Info.HintStr.clear();
    return;
  }
  // The tab under the pointer may have gone or been hidden since.
  if (FHintPageIndex < 0 || FHintPageIndex >= AdvPageCount()) return;
  TAdvPage* page = AdvPages(FHintPageIndex);
  if (!page->TabVisible()) return;
  if (!page->TabHint().empty()) {
    Info.HintStr = page->TabHint();
    return;
  }
  bool own = false;
  TCustomTabAppearance* appearance = TabAppearanceFor(FHintPageIndex, own);
  TBitmap measure(1, 1);
  TRect bounds;
  DrawTextGdip(measure.Canvas(), TAlignment::taLeftJustify, TRect(0, 0, 1000, 100), page->Caption(),
               appearance->Font(), page->Enabled(), false, FAntiAlias, false, clNone, false, bounds);
  int room = GetTabRect(FHintPageIndex).Width() - FCurrentTabLeftMargin - FCurrentTabRightMargin;
  if (room < bounds.Width()) Info.HintStr = page->Caption();
}

// ---------------------------------------------------------------------------
// Scenic look and the application button

void TAdvToolBarPager::TellScenicControls() {
  int style = FToolBarStyler ? static_cast<int>(FToolBarStyler->NewKelStyle()) : -1;
  bool scenic = GetGlobalWin7ScenicRibbon();
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* control = dynamic_cast<IScenicRibbonControl*>(Controls(i))) control->ScenicRibbonChanged(scenic, style);
}

void TAdvToolBarPager::UpdateApplicationButtonColor() {
  TControl* button = FindApplicationButton();
  if (!button) return;
  if (FIsAeroVista) {
    TTabAppearance* tab = FItones && FTabAppearance ? FTabAppearance.Get() : FCurrentToolBarStyler->TabAppearance();
    button->SetColor(tab->BackGround()->Color());
  }
  button->Invalidate();
}
