// The files that an update control file lists, as the update reads them
// and the wizard offers them.
#pragma once

#include "base/Lists.h"

#define VANTREL_FILE_FIELD(Type, Name)          \
 public:                                       \
  const Type& Name() const { return F##Name; } \
  void Set##Name(const Type& Value) { F##Name = Value; } \
                                               \
 private:                                      \
  Type F##Name

class TFileDescription : public TCollectionItem {
  VANTREL_CLASS(TFileDescription)
 public:
  explicit TFileDescription(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;

  VANTREL_FILE_FIELD(String, URL);
  VANTREL_FILE_FIELD(String, NewVersion);
  VANTREL_FILE_FIELD(int, NewSize) = 0;
  VANTREL_FILE_FIELD(int, NewCheckSum) = -1;
  VANTREL_FILE_FIELD(String, NewCustomVer);
  VANTREL_FILE_FIELD(String, NewDate);
  VANTREL_FILE_FIELD(String, NewTime);
  VANTREL_FILE_FIELD(String, LocalVersion);
  VANTREL_FILE_FIELD(String, Description);
  VANTREL_FILE_FIELD(String, TargetDir);
  VANTREL_FILE_FIELD(bool, Compressed) = false;
  VANTREL_FILE_FIELD(int, FileSize) = 0;
  VANTREL_FILE_FIELD(bool, Mandatory) = false;
  VANTREL_FILE_FIELD(bool, Preselect) = true;
  VANTREL_FILE_FIELD(bool, Hidden) = false;
  // Chosen in the wizard's component list.
  VANTREL_FILE_FIELD(bool, Selected) = false;
};

#undef VANTREL_FILE_FIELD

class TFileList : public TCollection {
  VANTREL_CLASS(TFileList)
 public:
  TFileList() : TCollection(ItemClass<TFileDescription>()) {}

  TFileDescription* Add() { return static_cast<TFileDescription*>(TCollection::Add()); }
  TFileDescription* Insert(int Index) { return static_cast<TFileDescription*>(TCollection::Insert(Index)); }
  TFileDescription* Items(int Index) const { return static_cast<TFileDescription*>(TCollection::Items(Index)); }
  void SetItems(int Index, TFileDescription* Value) { Items(Index)->Assign(Value); }

  // The index of the file being downloaded.
  int ActiveItem() const { return FActiveItem; }
  void SetActiveItem(int Value) { FActiveItem = Value; }
  // The sum of all FileSize values, and of those before ActiveItem.
  int64_t TotalSize() const;
  int64_t CompletedSize() const;

 private:
  int FActiveItem = 0;
};
