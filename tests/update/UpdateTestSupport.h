// What the update tests share: a recorder of status reports and message
// boxes, a driver of modal windows, and the fixtures the build made.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/ExtCtrls.h"
#include "base/Forms.h"
#include "update/NetUpdate.h"

struct TStatusLine {
  String Text;
  int Status;
  int Error;
};

// Records every status of an update component.
class TStatusRecorder {
 public:
  explicit TStatusRecorder(TNetUpdate* Update);
  const std::vector<TStatusLine>& Lines() const { return FLines; }
  // Whether a report with this text (and codes, unless -1) came.
  bool Has(const String& Text, int Status = -1, int Error = -1) const;
  // Whether a report whose text begins with Prefix came.
  bool HasPrefix(const String& Prefix) const;
  String Dump() const;
  void Clear() { FLines.clear(); }

 private:
  std::vector<TStatusLine> FLines;
};

// Answers message boxes with Answer and records their texts, while it
// lives.
class TMessageBoxScript {
 public:
  explicit TMessageBoxScript(int Answer = IDOK);
  ~TMessageBoxScript();
  void SetAnswer(int Answer) { FAnswer = Answer; }
  const std::vector<String>& Texts() const { return FTexts; }

 private:
  int FAnswer;
  std::vector<String> FTexts;
};

// Steps run one after the other from a timer while modal windows show:
// each is tried on every tick until it answers true. After the bound every
// modal form is cancelled, so that a test cannot hang.
class TModalDriver {
 public:
  TModalDriver();
  ~TModalDriver();
  void Then(std::function<bool()> Step);
  bool Done() const { return FSteps.empty(); }

 private:
  void Tick();
  TTimer* FTimer;
  std::vector<std::function<bool()>> FSteps;
  int FTicks = 0;
  bool FBusy = false;
};

// The first showing form of class T, or nullptr.
template <class T>
T* ShowingForm() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* f = dynamic_cast<T*>(Screen->Forms(i)); f && f->Visible()) return f;
  return nullptr;
}

// The form that runs modally now, or nullptr.
TCustomForm* ModalForm();

// A file of the fixtures that the build made (Windows form).
String Fixture(const String& Name);
