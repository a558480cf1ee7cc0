#include "tests/update/UpdateTestSupport.h"

#include "base/Dialogs.h"
#include "tests/update/UpdateServers.h"

TStatusRecorder::TStatusRecorder(TNetUpdate* Update) {
  Update->OnStatus = [this](TObject*, const String& Text, int Status, int Error) {
    FLines.push_back({Text, Status, Error});
  };
}

bool TStatusRecorder::Has(const String& Text, int Status, int Error) const {
  for (const auto& l : FLines)
    if (l.Text == Text && (Status == -1 || l.Status == Status) && (Error == -1 || l.Error == Error)) return true;
  return false;
}

bool TStatusRecorder::HasPrefix(const String& Prefix) const {
  for (const auto& l : FLines)
    if (l.Text.compare(0, Prefix.size(), Prefix) == 0) return true;
  return false;
}

String TStatusRecorder::Dump() const {
  String s;
  for (const auto& l : FLines) s += l.Text + L" (" + IntToStr(l.Status) + L"/" + IntToStr(l.Error) + L")\n";
  return s;
}

TMessageBoxScript::TMessageBoxScript(int Answer) : FAnswer(Answer) {
  SetMessageBoxHook([this](const String& Text, const String&, UINT) {
    FTexts.push_back(Text);
    return FAnswer;
  });
}

TMessageBoxScript::~TMessageBoxScript() { SetMessageBoxHook(nullptr); }

TModalDriver::TModalDriver() : FTimer(new TTimer(nullptr)) {
  FTimer->SetInterval(20);
  FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

TModalDriver::~TModalDriver() { FTimer->Free(); }

void TModalDriver::Then(std::function<bool()> Step) { FSteps.push_back(std::move(Step)); }

void TModalDriver::Tick() {
  // A step that pumps messages (a download) is not entered again.
  if (FSteps.empty() || FBusy) return;
  if (++FTicks > 1500) {
    FSteps.clear();
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (Screen->Forms(i)->Modal()) Screen->Forms(i)->SetModalResult(mrCancel);
    return;
  }
  auto step = FSteps.front();
  FBusy = true;
  bool done = false;
  try {
    done = step();
  } catch (...) {
    FBusy = false;
    throw;
  }
  FBusy = false;
  if (done && !FSteps.empty()) FSteps.erase(FSteps.begin());
}

String Fixture(const String& Name) { return BuildFolder() + L"\\tests\\update_fixtures\\" + Name; }

TCustomForm* ModalForm() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->Modal()) return Screen->Forms(i);
  return nullptr;
}
