// The four SMS windows made as the program makes them, without the main
// window (a stand-in form comes first, so no phone link), for the tests
// that drive the windows in this process; and their removal.
#pragma once

#include <gtest/gtest.h>

#include "app/InBoxForm.h"
#include "app/MainForm.h"
#include "app/NewSmsForm.h"
#include "app/OutBoxForm.h"
#include "app/PatternForm.h"
#include "base/Dialogs.h"
#include "tests/support/Settings.h"

inline TForm*& SmsStandInMain() {
  static TForm* form = nullptr;
  return form;
}

// Fresh settings, an empty phone book, the windows; a message box fails the
// test.
inline void CreateSmsWindows() {
  DeleteProgramSettings();
  SetMessageBoxHook([](const String& text, const String&, UINT) {
    ADD_FAILURE() << "message box: " << WideToAnsi(text);
    return IDOK;
  });
  ContactNames = new TStringList();
  ContactNumbers = new TStringList();
  Application->CreateForm(SmsStandInMain());
  Application->CreateForm(frmNewSMS);
  Application->CreateForm(frmSmsInBox);
  Application->CreateForm(frmSetPattern);
  Application->CreateForm(frmSMSOutBox);
}

inline void DestroySmsWindows() {
  Application->DestroyComponents();
  SmsStandInMain() = nullptr;
  frmNewSMS = nullptr;
  frmSmsInBox = nullptr;
  frmSetPattern = nullptr;
  frmSMSOutBox = nullptr;
  Application->ResetMainForm();
  Application->ResetTerminated();
  FreeAndNil(ContactNames);
  FreeAndNil(ContactNumbers);
  SetMessageBoxHook(nullptr);
  DeleteProgramSettings();
}
