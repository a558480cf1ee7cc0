// The key tips of a ribbon group: showing and hiding those of its glow
// buttons (nested windowed items included) and matching typed key-tip text.
#include <algorithm>
#include <vector>

#include "base/Forms.h"
#include "base/Hints.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/ToolBarHosts.h"
#include "ui/toolbar/runtime/KeyTipKeys.h"

namespace {

// Calls Action for every glow button among Control's enabled, visible
// children (to any depth, through windowed children that are showing).
template <class F>
void ForNestedGlowButtons(TWinControl* Control, bool OnlyEnabled, F&& Action) {
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* c = Control->Controls(i);
    if (OnlyEnabled && (!c->Enabled() || !c->Visible())) continue;
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      Action(glow);
    } else if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Showing()) {
      ForNestedGlowButtons(w, OnlyEnabled, Action);
    }
  }
}

// A button whose key tip starts with Text counts as a partial match; one
// whose key tip does not hides it.
void SortOut(TAdvCustomGlowButton* B, const String& Text, int& Partial) {
  const String& tip = B->ShortCutHint();
  if (tip.empty()) return;
  if (KeyTipStartsWith(tip, Text))
    ++Partial;
  else
    B->HideShortCutHint();
}

}  // namespace

void TAdvCustomToolBar::ShowShortCutHints() {
  for (int i = 0; i < FATBControls->Count(); ++i) {
    auto* c = static_cast<TControl*>(FATBControls->Items(i));
    if (!c->Enabled() || !c->Visible()) continue;
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      glow->ShowShortCutHint();
    } else if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Showing()) {
      ForNestedGlowButtons(w, true, [](TAdvCustomGlowButton* b) { b->ShowShortCutHint(); });
    }
  }
}

void TAdvCustomToolBar::HideShortCutHints() {
  for (int i = 0; i < FATBControls->Count(); ++i) {
    auto* c = static_cast<TControl*>(FATBControls->Items(i));
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      glow->HideShortCutHint();
    } else if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Showing()) {
      ForNestedGlowButtons(w, false, [](TAdvCustomGlowButton* b) { b->HideShortCutHint(); });
    }
  }
  FCompactShortCutHintShowing = false;
}

bool TAdvCustomToolBar::HandleShortCutHintKey(const String& Text, int& Partial) {
  // Nothing typed matches nothing, not even a button without a key tip.
  if (Text.empty()) return false;
  for (int i = 0; i < FATBControls->Count(); ++i) {
    auto* c = static_cast<TControl*>(FATBControls->Items(i));
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      if (!KeyTipEquals(glow->ShortCutHint(), Text)) {
        SortOut(glow, Text, Partial);
        continue;
      }
      if (!glow->Visible() || !glow->Enabled()) continue;
      glow->SetFocus();
      glow->Invalidate();
      if (glow->IsMenuButton()) {
        glow->DoDropDown();
      } else {
        glow->InvokeClick();
        if (glow->GroupIndex() > 0) glow->SetDown(true);
      }
      if (FCompact && FSelfClone && PageOf(this)) {
        FSelfClone->ShowShortCutHints();
        FSelfClone->FCompactShortCutHintShowing = true;
        if (FCompactWindow && FCompactWindow->Visible()) FSelfClone->SetFocus();
      } else {
        RestorePagerFocus();
      }
      return true;
    }
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w || !w->Enabled() || !w->Visible() || !w->Showing()) continue;
    TAdvCustomGlowButton* hit = nullptr;
    ForNestedGlowButtons(w, true, [&](TAdvCustomGlowButton* b) {
      if (hit) return;
      if (KeyTipEquals(b->ShortCutHint(), Text))
        hit = b;
      else
        SortOut(b, Text, Partial);
    });
    if (hit) {
      hit->SetFocus();
      hit->Invalidate();
      hit->InvokeClick();
      RestorePagerFocus();
      return true;
    }
  }
  return false;
}

bool TAdvCustomToolBar::HasDroppedDownButton() {
  bool dropped = false;
  for (int i = 0; i < FATBControls->Count() && !dropped; ++i) {
    auto* c = static_cast<TControl*>(FATBControls->Items(i));
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c))
      dropped = glow->DroppedDown();
    else if (auto* w = dynamic_cast<TWinControl*>(c))
      ForNestedGlowButtons(w, false, [&](TAdvCustomGlowButton* b) { dropped = dropped || b->DroppedDown(); });
  }
  return dropped;
}

void TAdvCustomToolBar::RestorePagerFocus() {
  if (IsDesigning()) return;
  IToolBarPage* page = PageOf(this);
  if (!page && IsClass(FParent, L"TCompactWindow") && FSelfClone) page = PageOf(FSelfClone);
  if (!page) return;
  IToolBarPager* pager = page->PageParentPager();
  if (!pager) pager = page->PageMinimizedWindowPager();
  if (pager) pager->PagerRestoreFocus();
}

// ---------------------------------------------------------------------------
// Keys typed in the glow buttons of a group

namespace {

// The item may be walked to with the arrow keys: windowed, no hint window,
// compact window or toolbar, and (OnlyFocusable) able to take the focus.
bool IsFocusItem(TWinControl* W, bool OnlyFocusable) {
  if (dynamic_cast<THintWindow*>(W) || dynamic_cast<TAdvCustomToolBar*>(W) || IsClass(W, L"TCompactWindow"))
    return false;
  if (IsClass(W, L"TAdvToolBarContainer")) return false;
  return !OnlyFocusable || W->CanFocus();
}

// The visible toolbars of a page ordered by Left.
std::vector<TAdvCustomToolBar*> GroupsByLeft(TWinControl* Page) {
  std::vector<TAdvCustomToolBar*> groups;
  for (int i = 0; i < Page->ControlCount(); ++i)
    if (auto* t = dynamic_cast<TAdvCustomToolBar*>(Page->Controls(i)); t && t->Visible()) groups.push_back(t);
  std::stable_sort(groups.begin(), groups.end(),
                   [](TAdvCustomToolBar* a, TAdvCustomToolBar* b) { return a->Left() < b->Left(); });
  return groups;
}

}  // namespace

std::vector<TWinControl*> TAdvCustomToolBar::FocusList(bool OnlyFocusable) {
  std::vector<TWinControl*> all, list;
  GetTabOrderList(all);
  for (TWinControl* w : all)
    if (IsFocusItem(w, OnlyFocusable)) list.push_back(w);
  return list;
}

TWinControl* TAdvCustomToolBar::FirstFocusControl(bool OnlyFocusable) {
  if (FCompact && FCompactBtn) return FCompactBtn->CanFocus() ? FCompactBtn : nullptr;
  std::vector<TWinControl*> list = FocusList(OnlyFocusable);
  return list.empty() ? nullptr : list.front();
}

TWinControl* TAdvCustomToolBar::LastFocusControl(bool OnlyFocusable) {
  if (FCompact && FCompactBtn) return FCompactBtn->CanFocus() ? FCompactBtn : nullptr;
  std::vector<TWinControl*> list = FocusList(OnlyFocusable);
  return list.empty() ? nullptr : list.back();
}

void TAdvCustomToolBar::GlowButtonKeyDown(TObject* Sender, WORD& Key, TShiftState) {
  auto* sender = dynamic_cast<TWinControl*>(Sender);
  if (!sender) return;
  IToolBarPage* page = PageOf(this);
  IToolBarPager* pager = page ? page->PageParentPager() : nullptr;
  if (page) {
    // Shift and the other modifiers pass; a key that types no key-tip
    // character (F1 included) ends the group key tips, a character is typed.
    if (page->PageGroupKeyTipsShowing() && !IsKeyTipModifierKey(Key)) {
      if (wchar_t ch = KeyTipChar(Key); ch == 0) {
        page->PageHideGroupKeyTips();
        if (Key == VK_ESCAPE && pager) pager->PagerShowTabKeyTips();
      } else if (page->PageTypeKeyTipChar(ch)) {
        page->PageHideGroupKeyTips();
      }
    }
    if (Key == VK_ESCAPE && pager) pager->PagerHideFloatingRibbon();
  }
  switch (Key) {
    case VK_ESCAPE:
    case VK_UP:
      if (pager) pager->PagerFocusByKey();
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      bool left = Key == VK_LEFT;
      std::vector<TWinControl*> list = FocusList(true);
      auto at = std::find(list.begin(), list.end(), sender);
      bool atEnd = at != list.end() && (left ? at == list.begin() : at + 1 == list.end());
      if (atEnd && page) {
        std::vector<TAdvCustomToolBar*> groups = GroupsByLeft(page->PageControl());
        auto me = std::find(groups.begin(), groups.end(), this);
        if (me == groups.end() || groups.size() < 2) break;
        TAdvCustomToolBar* next = nullptr;
        if (left)
          next = me == groups.begin() ? groups.back() : *(me - 1);
        else
          next = me + 1 == groups.end() ? groups.front() : *(me + 1);
        TWinControl* target = left ? next->LastFocusControl(true) : next->FirstFocusControl(true);
        if (target && target->CanFocus()) target->SetFocus();
      } else if (at != list.end() && !atEnd) {
        TWinControl* target = left ? *(at - 1) : *(at + 1);
        if (target->CanFocus()) target->SetFocus();
      }
      break;
    }
    default:
      break;
  }
}

void TAdvCustomToolBar::GlowButtonInternalClick(TObject*) {
  HideOptionWindow();
}

void TAdvCustomToolBar::FocusChanged(TControl* Focused) {
  if (Focused == this && FATBControls->Count() > 0 && !IsClass(FParent, L"TCompactWindow") && FParent &&
      FParent->Parent() && !IsClass(FParent->Parent(), L"TMinimizedRibbonWindow")) {
    if (TWinControl* first = FirstFocusControl(true)) first->SetFocus();
  }
  FActive = false;
  InvalidateControls();
}
