// Helpers for tests that look at the settings the program keeps in the
// current user's registry, under "Software\<executable name>".
#pragma once

#include "base/Types.h"

// The settings key of ProgramName (default: this test executable's name
// without ".exe"), relative to HKEY_CURRENT_USER, without a leading "\".
String ProgramSettingsKey(const String& ProgramName = L"");
// Removes that key with everything under it.
void DeleteProgramSettings(const String& ProgramName = L"");
// The value Name under this executable's key + Sub ("" or "\\frmProbe"),
// read as text; "<absent>" when the key or the value is missing.
String ReadProgramSetting(const String& Sub, const String& Name);
