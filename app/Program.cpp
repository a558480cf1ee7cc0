#include "app/Program.h"

#include "app/AppUnits.h"
#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/PatternForm.h"

void CreateProgramForms() {
  Application->CreateForm(Form1);
  Application->CreateForm(frmNewSMS);
  Application->CreateForm(frmSmsInBox);
  Application->CreateForm(frmSetPattern);
  Application->CreateForm(frmSMSOutBox);
}

int RunProgram() {
  if (!InitializeUnits(AppUnits())) return 1;
  try {
    Application->Initialize();
    Application->SetMainFormOnTaskbar(true);
    CreateProgramForms();
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
  }
  // The windows go before the units they use end.
  Application->DestroyComponents();
  FinalizeUnits();
  return 0;
}
