#include "base/Units.h"

#include <exception>

#include "base/Dialogs.h"
#include "base/Forms.h"
#include "base/SysUtils.h"

namespace {
std::vector<const TUnitEntry*> gInitialized;

void ShowStartupError(const wchar_t* unit, const String& message) {
  String text = String(L"Start-up failed in ") + unit + L": " + message;
  AppMessageBox(text, L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
}  // namespace

bool InitializeUnits(const std::vector<TUnitEntry>& units) {
  for (const TUnitEntry& u : units) {
    try {
      if (u.Init) u.Init();
    } catch (const Exception& e) {
      ShowStartupError(u.Name, e.Message());
      return false;
    } catch (const std::exception& e) {
      ShowStartupError(u.Name, AnsiToWide(e.what()));
      return false;
    } catch (...) {
      ShowStartupError(u.Name, L"unknown error");
      return false;
    }
    gInitialized.push_back(&u);
  }
  return true;
}

size_t InitializedUnitCount() { return gInitialized.size(); }

void FinalizeUnits(size_t KeepFirst) {
  while (gInitialized.size() > KeepFirst) {
    const TUnitEntry* u = gInitialized.back();
    gInitialized.pop_back();
    try {
      if (u->Fini) u->Fini();
    } catch (...) {
      // Finalisation goes on with the remaining units.
    }
  }
}

const std::vector<TUnitEntry>& BaseUnits() {
  static const std::vector<TUnitEntry> units = {
      {L"Forms", InitGuiUnit, FiniGuiUnit},
  };
  return units;
}
