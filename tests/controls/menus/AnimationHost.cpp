// A program that starts and ends the menu units like Vantrel does, for the
// test that reads the menu animation from other processes:
//   AnimationHost READY_EVENT QUIT_EVENT [--fail-read]
// It signals READY_EVENT once its units run, waits for QUIT_EVENT (30 s at
// most), ends its units and exits with 0.
#include <windows.h>

#include <string>

#include "base/Units.h"
#include "ui/controls/menus/AdvMenuUtil.h"

namespace {
// The read of the setting fails; switching it goes through.
BOOL WINAPI FailingRead(UINT Action, UINT Param, PVOID Value, UINT WinIni) {
  if (Action == SPI_GETMENUANIMATION) return FALSE;
  return SystemParametersInfoW(Action, Param, Value, WinIni);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  if (argc > 3 && std::string(argv[3]) == "--fail-read") SetMenuAnimationCall(&FailingRead);
  std::vector<TUnitEntry> units = BaseUnits();
  units.push_back({L"AdvMenuUtil", InitMenuUtilsUnit, nullptr});
  units.push_back({L"AdvMenus", InitAdvMenusUnit, FiniAdvMenusUnit});
  if (!InitializeUnits(units)) return 3;
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
  HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
  if (!ready || !quit) return 4;
  SetEvent(ready);
  DWORD waited = WaitForSingleObject(quit, 30000);
  FinalizeUnits();
  return waited == WAIT_OBJECT_0 ? 0 : 5;
}
