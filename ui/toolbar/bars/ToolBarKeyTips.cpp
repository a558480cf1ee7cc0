// The key tips of a ribbon group: showing and hiding those of its glow
// buttons (nested windowed items included) and matching typed key-tip text.
#include "base/Forms.h"
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
