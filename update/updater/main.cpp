#include <windows.h>

#include "base/SysUtils.h"
#include "update/updater/Updater.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return RunUpdater(SplitUpdaterArguments(GetCommandLineW()));
  } catch (...) {
    return 2;
  }
}
