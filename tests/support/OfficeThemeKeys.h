// The Office settings that theme detection reads, written by tests in the
// test prefix's registry; header-only, for tests that link ui/draw.
#pragma once

#include "base/Registry.h"
#include "ui/draw/OfficeTheme.h"

// A theme fixture's start and end: no Office keys, no theme notifier left
// from another test, and no visual-styles colour scheme (the classic look)
// while it runs.
struct OfficeThemeKeys {
  OfficeThemeKeys() {
    Clean();
    SetThemeColorNameSource([](String&) { return false; });
  }
  ~OfficeThemeKeys() {
    Clean();
    SetThemeColorNameSource(nullptr);
  }
  static void Clean() {
    TRegistry reg;
    for (const wchar_t* v : {L"11.0", L"12.0", L"14.0", L"15.0", L"16.0"})
      reg.DeleteKey(String(L"\\Software\\Microsoft\\Office\\") + v);
    GetThemeNotifier(nullptr)->Free();
  }
  // Office 2013 installed with its "UI Theme" (0 white, 1 light grey, 2 dark
  // grey).
  static void Office2013(int UiTheme) {
    TRegistry reg;
    reg.OpenKey(L"\\Software\\Microsoft\\Office\\15.0\\Common\\General", true);
    reg.CloseKey();
    reg.OpenKey(L"\\Software\\Microsoft\\Office\\15.0\\Common", true);
    reg.WriteInteger(L"UI Theme", UiTheme);
  }
};
