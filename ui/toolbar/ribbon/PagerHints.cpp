#include "ui/toolbar/ribbon/PagerHints.h"

TPagerHints::TPagerHints()
    : FMDIMaximizeBtnHint(L"Maximize"), FMDIMinimizeBtnHint(L"Minimize"), FMDICloseBtnHint(L"Close"),
      FHelpBtnHint(L"Help") {}

void TPagerHints::Assign(TPersistent* Source) {
  auto* h = dynamic_cast<TPagerHints*>(Source);
  if (!h) {
    TPersistent::Assign(Source);
    return;
  }
  FMDICloseBtnHint = h->FMDICloseBtnHint;
  FMDIMinimizeBtnHint = h->FMDIMinimizeBtnHint;
  FMDIMaximizeBtnHint = h->FMDIMaximizeBtnHint;
  FHelpBtnHint = h->FHelpBtnHint;
}

void TPagerHints::Changed() {
  if (OnChange) OnChange(this);
}

void TPagerHints::Store(String& Field, const String& Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}
