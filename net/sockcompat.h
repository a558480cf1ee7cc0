// Platform helpers of the socket layer.
#pragma once

#include <windows.h>

// Suspends the calling thread for Ms milliseconds (0 yields once).
inline void SleepMs(int Ms) { Sleep(static_cast<DWORD>(Ms < 0 ? 0 : Ms)); }
