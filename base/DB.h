// Data access: a data set (records with a current position and an editing
// state), a data source that serves one data set to controls, and the data
// link through which a control hears of the data set's changes.
#pragma once

#include <vector>

#include "base/Object.h"

class TDataSource;
class TDataLink;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
// What a data set tells its sources: opened or closed, moved or changed
// data, entered or left an editing state.
enum class TDataEvent { deActiveChanged, deDataSetChange, deUpdateState };

// The operations a data-aware control asks of a data set. A concrete data
// set implements them and calls DataEvent (or SetState) after each change.
class TDataSet : public TComponent {
  VANTREL_CLASS(TDataSet)
 public:
  explicit TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

  TDataSetState State() const { return FState; }
  bool Active() const { return FState != TDataSetState::dsInactive; }
  // At the first record (or before it); both on an empty data set.
  bool Bof() const { return FBof; }
  // At the last record (or past it).
  bool Eof() const { return FEof; }
  virtual bool CanModify() const { return true; }

  virtual void First() = 0;
  virtual void Prior() = 0;
  virtual void Next() = 0;
  virtual void Last() = 0;
  virtual void Insert() = 0;
  virtual void Append() = 0;
  virtual void Delete() = 0;
  virtual void Edit() = 0;
  virtual void Post() = 0;
  virtual void Cancel() = 0;
  virtual void Refresh() = 0;

 protected:
  void Destroy() override;
  // Changes the state; opening or closing tells deActiveChanged, any other
  // change deUpdateState.
  void SetState(TDataSetState Value);
  void SetBofEof(bool ABof, bool AEof) {
    FBof = ABof;
    FEof = AEof;
  }
  // Tells every data source serving this data set.
  void DataEvent(TDataEvent Event);

 private:
  friend class TDataSource;
  TDataSetState FState = TDataSetState::dsInactive;
  bool FBof = true;
  bool FEof = true;
  std::vector<TDataSource*> FDataSources;
};

class TDataSource : public TComponent {
  VANTREL_CLASS(TDataSource)
 public:
  explicit TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  // dsInactive without a data set.
  TDataSetState State() const { return FDataSet ? FDataSet->State() : TDataSetState::dsInactive; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;

 private:
  friend class TDataSet;
  friend class TDataLink;
  void NotifyLinks(TDataEvent Event);
  TDataSet* FDataSet = nullptr;
  std::vector<TDataLink*> FDataLinks;
};

// A control's link to a data source. Active and Editing follow the data
// set; the three hooks run when they change or the data set changes.
class TDataLink : public TPersistent {
  VANTREL_CLASS(TDataLink)
 public:
  TDataLink() = default;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }
  bool Active() const { return FActive; }
  bool Editing() const { return FEditing; }

 protected:
  ~TDataLink() override;
  void Destroy() override;
  virtual void ActiveChanged() {}
  virtual void DataSetChanged() {}
  virtual void EditingChanged() {}

 private:
  friend class TDataSource;
  void DataEvent(TDataEvent Event);
  // Takes Active and Editing from the data source now.
  void UpdateState();
  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;
};
