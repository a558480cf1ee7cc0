#include "ui/draw/HintInfo.h"

TAdvHintInfo::TAdvHintInfo() : FPicture(new TGDIPPicture), FNotes(new TStringList) {}

TAdvHintInfo::~TAdvHintInfo() {
  FPicture->Free();
  FNotes->Free();
}

void TAdvHintInfo::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TAdvHintInfo*>(Source);
  if (!src || src == this) return;
  FTitle = src->FTitle;
  FNotes->Assign(src->FNotes);
  FShowHelp = src->FShowHelp;
  FPicture->Assign(src->FPicture);
  FWideTitle = src->FWideTitle;
  FWideNotes = src->FWideNotes;
}

bool TAdvHintInfo::IsEmpty() const { return FTitle.empty() && FNotes->Text().empty(); }
