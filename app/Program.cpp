#include "app/Program.h"

#include <memory>

#include "app/AppUnits.h"
#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/PatternForm.h"
#include "app/StartupTrace.h"

namespace {

// The units, started one by one when the start is traced so that each one's
// share shows. The one-entry tables live as long as the units.
bool InitializeProgramUnits() {
  const std::vector<TUnitEntry>& units = AppUnits();
  if (!StartupTraceOn()) return InitializeUnits(units);
  static std::vector<std::vector<TUnitEntry>> single;
  single.clear();
  for (const TUnitEntry& u : units) single.push_back({u});
  for (const std::vector<TUnitEntry>& u : single) {
    if (!InitializeUnits(u)) return false;
    StartupTraceMark((String(L"unit ") + u.front().Name).c_str());
  }
  return true;
}

}  // namespace

void CreateProgramForms() {
  Application->CreateForm(Form1);
  StartupTraceMark(L"form Form1");
  Application->CreateForm(frmNewSMS);
  StartupTraceMark(L"form frmNewSMS");
  Application->CreateForm(frmSmsInBox);
  StartupTraceMark(L"form frmSmsInBox");
  Application->CreateForm(frmSetPattern);
  StartupTraceMark(L"form frmSetPattern");
  Application->CreateForm(frmSMSOutBox);
  StartupTraceMark(L"form frmSMSOutBox");
}

int RunProgram() {
  StartupTraceBegin();
  if (!InitializeProgramUnits()) return 1;
  try {
    Application->Initialize();
    Application->SetMainFormOnTaskbar(true);
    CreateProgramForms();
    StartupTraceMark(L"message loop");
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
  }
  // The windows go before the units they use end.
  Application->DestroyComponents();
  FinalizeUnits();
  return 0;
}
