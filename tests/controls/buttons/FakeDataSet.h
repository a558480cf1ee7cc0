// An in-memory data set for the data-aware tests: a list of numbered
// records with a current position, the editing states, a read-only switch,
// a log of the operations called and an operation that can be made to fail.
#pragma once

#include <vector>

#include "base/DB.h"

class TFakeDataSet : public TDataSet {
 public:
  explicit TFakeDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

  void Open(int RecordCount) {
    FRecords.clear();
    for (int i = 0; i < RecordCount; ++i) FRecords.push_back(i + 1);
    FCurrent = 0;
    SetBofEof(true, FRecords.empty());
    if (Active())
      DataEvent(TDataEvent::deDataSetChange);
    else
      SetState(TDataSetState::dsBrowse);
  }
  void Close() { SetState(TDataSetState::dsInactive); }
  int RecNo() const { return FRecords.empty() ? 0 : FCurrent + 1; }
  int RecordCount() const { return static_cast<int>(FRecords.size()); }
  bool CanModify() const override { return !ReadOnly; }

  void First() override { Log(L"First"); Move(0); }
  void Prior() override { Log(L"Prior"); Move(FCurrent - 1); }
  void Next() override { Log(L"Next"); Move(FCurrent + 1); }
  void Last() override { Log(L"Last"); Move(RecordCount() - 1); }
  void Insert() override { Log(L"Insert"); SetState(TDataSetState::dsInsert); }
  void Append() override { Log(L"Append"); SetState(TDataSetState::dsInsert); }
  void Delete() override {
    Log(L"Delete");
    if (FRecords.empty()) return;
    FRecords.erase(FRecords.begin() + FCurrent);
    Move(Min(FCurrent, RecordCount() - 1));
  }
  void Edit() override { Log(L"Edit"); SetState(TDataSetState::dsEdit); }
  void Post() override {
    Log(L"Post");
    if (State() == TDataSetState::dsInsert) {
      FRecords.push_back(RecordCount() + 1);
      FCurrent = RecordCount() - 1;
    }
    SetState(TDataSetState::dsBrowse);
    DataEvent(TDataEvent::deDataSetChange);
  }
  void Cancel() override { Log(L"Cancel"); SetState(TDataSetState::dsBrowse); }
  void Refresh() override { Log(L"Refresh"); DataEvent(TDataEvent::deDataSetChange); }

  bool ReadOnly = false;
  // The operation of this name raises an Exception with the text "failed".
  String FailOn;
  std::vector<String> Calls;

 private:
  void Log(const String& Op) {
    Calls.push_back(Op);
    if (Op == FailOn) throw Exception(L"failed");
  }
  void Move(int Index) {
    int n = RecordCount();
    bool bof = Index <= 0, eof = Index >= n - 1;
    FCurrent = n == 0 ? 0 : Max(0, Min(Index, n - 1));
    SetBofEof(bof, eof);
    DataEvent(TDataEvent::deDataSetChange);
  }
  std::vector<int> FRecords;
  int FCurrent = 0;
};
