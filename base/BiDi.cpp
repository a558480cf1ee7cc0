#include "base/BiDi.h"

#include <windows.h>

namespace {
int g_middleEast = -1;  // -1: ask the system
}

bool SysLocaleMiddleEast() {
  if (g_middleEast >= 0) return g_middleEast != 0;
  return GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

void SetSysLocaleMiddleEast(int Value) { g_middleEast = Value < 0 ? -1 : (Value ? 1 : 0); }
