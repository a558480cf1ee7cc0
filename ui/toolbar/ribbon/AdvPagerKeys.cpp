// The pager's key tips: showing and hiding the tab level (the tabs, the
// quick access toolbar's buttons and the application button).
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

#include "ui/controls/buttons/ShortCutHint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/runtime/KeyTipKeys.h"

namespace {

// The message the application button hears to show (lParam 1) or hide
// (lParam 0) its key tip.
constexpr UINT kAppButtonKeyTipMessage = 45104;

IQuickAccessToolBar* QATOf(TWinControl* Control) { return dynamic_cast<IQuickAccessToolBar*>(Control); }

}  // namespace

void TAdvToolBarPager::ShowTabShortCutHints() {
  if (!FTabShortCutHintShowing && KeyTipCaptureMouse && HandleAllocated()) SetCapture(Handle());
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->ShowShortCutHint();
  if (IQuickAccessToolBar* qat = QATOf(FQuickAccessToolBar)) qat->QATShowKeyTips();
  FTabShortCutHintShowing = true;
  FTabShortCutChars.clear();
  if (TControl* button = FindApplicationButton()) button->Perform(kAppButtonKeyTipMessage, 1, 1);
}

void TAdvToolBarPager::HideTabShortCutHints(bool AlsoGroups) {
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  for (int i = 0; i < AdvPageCount(); ++i) {
    AdvPages(i)->HideShortCutHint();
    if (AlsoGroups) AdvPages(i)->HideShortCutHints();
  }
  if (IQuickAccessToolBar* qat = QATOf(FQuickAccessToolBar)) qat->QATHideKeyTips();
  if (TControl* button = FindApplicationButton()) {
    if (FTabShortCutHintShowing) button->Perform(kAppButtonKeyTipMessage, 1, 0);
    if (AlsoGroups) button->Perform(WM_TBSHOWSHORTCUTHINT, 0, 0);
  }
  FTabShortCutHintShowing = false;
}
