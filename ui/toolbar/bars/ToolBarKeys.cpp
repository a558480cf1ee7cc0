// A toolbar's own keys outside menu mode (ribbon groups on pages, in the
// minimized ribbon and as the copy in a compact group's drop-down) and the
// shortcuts of its menu and of its items' actions.
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/runtime/KeyTipKeys.h"

bool TAdvCustomToolBar::ToolBarKeyDown(WORD Key) {
  IToolBarPage* page = PageOf(this);
  if (page && page->PageGroupKeyTipsShowing()) {
    WORD k = Key;
    GlowButtonKeyDown(this, k, TShiftState{});
  }
  if (page) {
    if (page->PageGroupKeyTipsShowing()) page->PageHideGroupKeyTips();
    if (IToolBarPager* pager = page->PageMinimizedWindowPager()) {
      if (Key == VK_ESCAPE) {
        pager->PagerHideFloatingRibbon();
      } else if (Key >= VK_LEFT && Key <= VK_DOWN) {
        if (TWinControl* first = FirstFocusControl(true); first && first->CanFocus()) first->SetFocus();
      }
    }
    return false;
  }
  if (!IsClass(FParent, L"TCompactWindow")) return false;
  IToolBarPage* groupPage = FSelfClone ? PageOf(FSelfClone) : nullptr;
  if (groupPage && FCompactShortCutHintShowing && !IsKeyTipModifierKey(Key)) {
    // Key codes are no characters: only letters, digits and the keypad's
    // digits type key-tip text; any other key (F1 too) ends the key tips.
    if (wchar_t ch = KeyTipChar(Key); ch == 0) {
      HideShortCutHints();
      if (Key == VK_ESCAPE && groupPage->PageParentPager()) {
        if (TAdvGlowButton* b = FSelfClone->CompactButton(); b && b->Visible() && b->CanFocus()) b->SetFocus();
        groupPage->PageShowGroupKeyTips();
        return false;
      }
    } else {
      int partial = 0;
      if (HandleShortCutHintKey(groupPage->PageAddTypedKeyTipChar(ch), partial)) HideShortCutHints();
    }
  }
  switch (Key) {
    case VK_ESCAPE:
    case VK_UP:
      if (groupPage)
        if (IToolBarPager* pager = groupPage->PageParentPager()) pager->PagerFocusByKey();
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_DOWN:
      if (TWinControl* first = FirstFocusControl(true); first && first->CanFocus()) first->SetFocus();
      break;
    default:
      break;
  }
  return false;
}

namespace {

// The action's shortcut is the key: its OnExecute runs, else the control's
// click.
bool RunShortCut(TControl* C, TBasicAction* Action, TShortCut Key) {
  auto* a = dynamic_cast<TCustomAction*>(Action);
  if (!a || a->ShortCut() == 0 || a->ShortCut() != Key) return false;
  if (a->OnExecute)
    a->OnExecute(a);
  else
    C->Click();
  return true;
}

bool ButtonShortCut(TControl* C, TShortCut Key) {
  if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(C)) return RunShortCut(g, g->Action(), Key);
  if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(C)) return RunShortCut(b, b->Action(), Key);
  return false;
}

bool ChildrenShortCut(TWinControl* W, TShortCut Key) {
  for (int i = 0; i < W->ControlCount(); ++i) {
    TControl* c = W->Controls(i);
    if (ButtonShortCut(c, Key)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && ChildrenShortCut(w, Key)) return true;
  }
  return false;
}

}  // namespace

bool TAdvCustomToolBar::IsShortCut(WORD CharCode, LPARAM KeyData, bool ConsiderButtons) {
  TShiftState shift = KeyDataToShiftState(KeyData);
  // A merged menu's shortcuts work while it shows on the bar, ahead of the
  // own menu's.
  if (FMenu && FMergedMenu && FMergedMenu->IsShortCut(CharCode, shift)) return true;
  if (FMenu && FMenu->IsShortCut(CharCode, shift)) return true;
  if (!ConsiderButtons) return false;
  TShortCut key = ShortCut(CharCode, shift);
  for (int i = 0; i < FATBControls->Count(); ++i) {
    TControl* c = ToolBarControls(i);
    if (ButtonShortCut(c, key)) return true;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && ChildrenShortCut(w, key)) return true;
  }
  return false;
}
