// Committed private memory of a process, summed over its address space: the
// start-up trace reads its own, the start-up benchmark another program's.
// Under wine GetProcessMemoryInfo reports no PrivateUsage for another
// process (it is the swap use there), so this stands in for it.
#pragma once

#include <windows.h>

inline double CommittedPrivateKiB(HANDLE process) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  auto* address = static_cast<BYTE*>(system.lpMinimumApplicationAddress);
  auto* end = static_cast<BYTE*>(system.lpMaximumApplicationAddress);
  double total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (int regions = 0; address < end && regions < 1000000; ++regions) {
    if (VirtualQueryEx(process, address, &region, sizeof(region)) != sizeof(region)) break;
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<double>(region.RegionSize);
    BYTE* next = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total / 1024.0;
}
