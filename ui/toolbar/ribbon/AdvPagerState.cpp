// The pager's collapsed and expanded states: collapsed, only the caption
// bar and the tab row show, and a tab click shows the active page in the
// floating ribbon; expanding gives back the height it had.
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/MinimizedRibbonWindow.h"

void TAdvToolBarPager::SetExpanded(bool Value) {
  int below = ShowQATBelow() && FQuickAccessToolBar ? GetQATHeight() : 0;
  if (Value && !FExpanded) {
    HideFloatingRibbon();
    SetHeight(FExpandedHeight + below);
    FExpanded = true;
    if (OnExpand) OnExpand(this);
  } else if (!Value && FExpanded) {
    FExpandedHeight = Height() - below;
    int height = GetPageRect().top + below;
    FExpanded = false;
    SetHeight(height);
    if (OnCollaps) OnCollaps(this);
  }
  if (Value) {
    int width = Width();
    SetWidth(100);
    SetWidth(width);
  }
  UpdateExpandCollapseButtonPicture();
}

// ---------------------------------------------------------------------------
// The floating ribbon

bool TAdvToolBarPager::FloatingRibbonShowing() const {
  return FMinimizedRibbonWindow && FMinimizedRibbonWindow->Visible() && !FExpanded;
}

void TAdvToolBarPager::CreateFloatingRibbon() {
  TAdvPage* page = ActivePage();
  if (!page) return;
  if (!FMinimizedRibbonWindow) {
    auto* window = new TMinimizedRibbonWindow(this);
    if (!Name().empty()) window->SetName(Name() + L"_RibbonWindow");
    window->SetBorderIcons(TBorderIcons{});
    window->SetBorderStyle(TFormBorderStyle::bsNone);
    window->SetFormStyle(TFormStyle::fsStayOnTop);
    window->SetVisible(false);
    window->SetBounds(0, 0, 0, 0);
    window->SetDoubleBuffered(true);
    window->SetAdvToolBarPager(this);
    window->OnHide = [this](TObject*) { UpdateExpandCollapseButtonPicture(); };
    if (FCurrentToolBarStyler) window->SetColor(FCurrentToolBarStyler->PagerCaption()->BorderColor());
    FMinimizedRibbonWindow = window;
  }
  if (!FMinimizedRibbonWindow->AdvPage()) FMinimizedRibbonWindow->SetAdvPage(page->CreateClone(FMinimizedRibbonWindow));
}

void TAdvToolBarPager::ShowFloatingRibbon() {
  if (!ActivePage()) return;
  CreateFloatingRibbon();
  TMinimizedRibbonWindow* window = FMinimizedRibbonWindow;
  window->SetWindowSize();
  int w = window->Width(), h = window->Height();
  window->SetBounds(window->Left(), window->Top(), 1, 1);
  window->Show();
  TPoint p = ClientToScreen(TPoint(GetPageRect().left - 2, GetTabsArea().bottom));
  window->SetBounds(p.x, p.y, w, h);
  UpdateExpandCollapseButtonPicture();
}

bool TAdvToolBarPager::AskFloatingRibbonHide() {
  if (FAskingRibbonHide) return false;
  bool canHide = true;
  if (OnFloatingRibbonHide) {
    FAskingRibbonHide = true;
    try {
      OnFloatingRibbonHide(FMinimizedRibbonWindow, canHide);
    } catch (...) {
      FAskingRibbonHide = false;
      throw;
    }
    FAskingRibbonHide = false;
  }
  return canHide;
}

void TAdvToolBarPager::HideFloatingRibbon() {
  if (!FMinimizedRibbonWindow || !AskFloatingRibbonHide()) return;
  if (!FMinimizedRibbonWindow) return;
  FMinimizedRibbonWindow->Hide();
  DestroyFloatingRibbon();
}

void TAdvToolBarPager::DestroyFloatingRibbon() {
  TMinimizedRibbonWindow* window = FMinimizedRibbonWindow;
  if (!window) return;
  FMinimizedRibbonWindow = nullptr;
  window->HideTimer()->SetEnabled(false);
  window->SetAdvToolBarPager(nullptr);
  if (TAdvPage* page = ActivePage()) page->DestroyClone();
  window->SetAdvPage(nullptr);
  // Freed once its own messages are done: this may run from its timer.
  window->OnHide = nullptr;
  window->Release();
  UpdateExpandCollapseButtonPicture();
}
