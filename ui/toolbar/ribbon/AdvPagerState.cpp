// The pager's collapsed and expanded states: collapsed, only the caption
// bar and the tab row show; expanding gives back the height it had.
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

void TAdvToolBarPager::SetExpanded(bool Value) {
  int below = ShowQATBelow() && FQuickAccessToolBar ? GetQATHeight() : 0;
  if (Value && !FExpanded) {
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
}
