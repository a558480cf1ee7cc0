#include "base/DB.h"

#include <algorithm>

namespace {
template <class T>
void EraseValue(std::vector<T*>& v, T* p) {
  v.erase(std::remove(v.begin(), v.end(), p), v.end());
}
}  // namespace

// ---------------------------------------------------------------------------
// TDataSet

void TDataSet::Destroy() {
  std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* s : sources) s->SetDataSet(nullptr);
  TComponent::Destroy();
}

void TDataSet::SetState(TDataSetState Value) {
  if (FState == Value) return;
  bool wasActive = Active();
  FState = Value;
  DataEvent(wasActive != Active() ? TDataEvent::deActiveChanged : TDataEvent::deUpdateState);
}

void TDataSet::DataEvent(TDataEvent Event) {
  std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* s : sources)
    if (std::find(FDataSources.begin(), FDataSources.end(), s) != FDataSources.end()) s->NotifyLinks(Event);
}

// ---------------------------------------------------------------------------
// TDataSource

void TDataSource::SetDataSet(TDataSet* Value) {
  if (FDataSet == Value) return;
  if (FDataSet) {
    EraseValue(FDataSet->FDataSources, this);
    FDataSet->RemoveFreeNotification(this);
  }
  FDataSet = Value;
  if (Value) {
    Value->FDataSources.push_back(this);
    Value->FreeNotification(this);
  }
  NotifyLinks(TDataEvent::deActiveChanged);
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::Destroy() {
  SetDataSet(nullptr);
  std::vector<TDataLink*> links = FDataLinks;
  for (TDataLink* l : links) l->SetDataSource(nullptr);
  TComponent::Destroy();
}

void TDataSource::NotifyLinks(TDataEvent Event) {
  std::vector<TDataLink*> links = FDataLinks;
  for (TDataLink* l : links)
    if (std::find(FDataLinks.begin(), FDataLinks.end(), l) != FDataLinks.end()) l->DataEvent(Event);
}

// ---------------------------------------------------------------------------
// TDataLink

TDataLink::~TDataLink() {
  // Only memory here; a link that ends through Free left its source in
  // Destroy. One deleted otherwise must not stay registered.
  if (FDataSource) EraseValue(FDataSource->FDataLinks, this);
}

void TDataLink::Destroy() {
  if (FDataSource) {
    EraseValue(FDataSource->FDataLinks, this);
    FDataSource = nullptr;
  }
  TPersistent::Destroy();
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (FDataSource == Value) return;
  if (FDataSource) EraseValue(FDataSource->FDataLinks, this);
  FDataSource = Value;
  if (Value) Value->FDataLinks.push_back(this);
  UpdateState();
}

void TDataLink::UpdateState() {
  bool active = FDataSource && FDataSource->State() != TDataSetState::dsInactive;
  TDataSetState s = FDataSource ? FDataSource->State() : TDataSetState::dsInactive;
  bool editing = active && (s == TDataSetState::dsEdit || s == TDataSetState::dsInsert);
  if (active != FActive) {
    FActive = active;
    ActiveChanged();
  }
  if (editing != FEditing) {
    FEditing = editing;
    EditingChanged();
  }
}

void TDataLink::DataEvent(TDataEvent Event) {
  switch (Event) {
    case TDataEvent::deActiveChanged: {
      // Another active data set in place of the old one counts as a change
      // of data.
      bool was = FActive;
      UpdateState();
      if (was && FActive) DataSetChanged();
      break;
    }
    case TDataEvent::deUpdateState:
      UpdateState();
      break;
    case TDataEvent::deDataSetChange:
      if (FActive) DataSetChanged();
      break;
  }
}
