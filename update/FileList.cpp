#include "update/FileList.h"

void TFileDescription::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TFileDescription*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FURL = s->FURL;
  FNewVersion = s->FNewVersion;
  FNewSize = s->FNewSize;
  FNewCheckSum = s->FNewCheckSum;
  FNewCustomVer = s->FNewCustomVer;
  FNewDate = s->FNewDate;
  FNewTime = s->FNewTime;
  FLocalVersion = s->FLocalVersion;
  FDescription = s->FDescription;
  FTargetDir = s->FTargetDir;
  FCompressed = s->FCompressed;
  FFileSize = s->FFileSize;
  FMandatory = s->FMandatory;
  FPreselect = s->FPreselect;
  FHidden = s->FHidden;
  FSelected = s->FSelected;
}

int64_t TFileList::TotalSize() const {
  int64_t total = 0;
  for (int i = 0; i < Count(); ++i) total += Items(i)->FileSize();
  return total;
}

int64_t TFileList::CompletedSize() const {
  int64_t total = 0;
  for (int i = 0; i < Count() && i < FActiveItem; ++i) total += Items(i)->FileSize();
  return total;
}
