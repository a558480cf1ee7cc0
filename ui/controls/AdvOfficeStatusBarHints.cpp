// Links and hints of the status bar.
#include "ui/controls/AdvOfficeStatusBar.h"

void TAdvOfficeStatusBar::CancelPanelHint() {}

void TAdvOfficeStatusBar::FollowLink(const String& Anchor) {
  if (OnAnchorClick) OnAnchorClick(this, Anchor);
}
