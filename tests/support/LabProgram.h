// Helpers for tests that start the real Vantrel.exe in a lab network and
// watch it from outside: the program given on the command line, a private
// copy of it (so its settings key is the test's own), the running process
// and its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/Types.h"

// The program under test, given on the command line as --vantrel=<path>, in
// Windows form; "" when missing.
String VantrelPathFromCommandLine();

// A process started from an executable, ended (if still running) when the
// object goes.
struct TLabProcess {
  PROCESS_INFORMATION pi{};
  // Suspended: the main thread waits for ResumeThread(pi.hThread).
  bool Start(const String& Exe, bool Suspended = false);
  bool Running() const;
  // Ends the process if it still runs.
  void Kill();
  // Waits (pumping messages) up to Ms for the exit; the exit code, or -1.
  long WaitExit(DWORD Ms);
  DWORD Id() const { return pi.dwProcessId; }
  ~TLabProcess();
};

// A copy of the program as <Name>.exe in a folder of its own (the temporary
// folder's "vantrel-e2e-<Name>" unless Folder is given), with its settings
// key "Software\<Name>" removed before and after.
struct TProgramCopy {
  String Dir, Exe, Key;
  explicit TProgramCopy(const String& Name, const String& Folder = L"");
  ~TProgramCopy();
  // A value of the settings key (Sub: "" or "\\frmNewSMS") as text, a
  // number as its decimal text; "<absent>" when missing.
  String Setting(const String& Sub, const String& Name) const;
  // Writes a text value into the settings key (Sub as above).
  bool SetSetting(const String& Sub, const String& Name, const String& Value) const;
};

// The first top-level window of the process with that class.
HWND FindProcessWindow(DWORD Pid, const wchar_t* ClassName);
// The descendants of Parent with that class (and text, unless nullptr), in
// the order the system lists them.
std::vector<HWND> FindChildren(HWND Parent, const wchar_t* ClassName, const wchar_t* Text = nullptr);
// A window's text, read without waiting on a hung window.
String WindowText(HWND Window);
