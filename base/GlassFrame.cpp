#include "base/GlassFrame.h"

void TGlassFrame::Assign(TPersistent* Source) {
  auto* g = dynamic_cast<TGlassFrame*>(Source);
  if (!g) {
    TPersistent::Assign(Source);
    return;
  }
  FEnabled = g->FEnabled;
  FLeft = g->FLeft;
  FTop = g->FTop;
  FRight = g->FRight;
  FBottom = g->FBottom;
  FSheetOfGlass = g->FSheetOfGlass;
  Changed();
}

void TGlassFrame::Reset() {
  if (!FLeft && !FTop && !FRight && !FBottom && !FSheetOfGlass) return;
  FLeft = FTop = FRight = FBottom = 0;
  FSheetOfGlass = false;
  Changed();
}

bool TGlassFrame::FrameExtended() const {
  return FEnabled && (FSheetOfGlass || FLeft || FTop || FRight || FBottom);
}
