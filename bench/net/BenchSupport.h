// Shared by the socket layer's benchmarks: the socket layer's start-up and a
// clock.
#pragma once

#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/Units.h"
#include "net/netunits.h"

inline bool StartSocketLayer() {
  static std::vector<TUnitEntry> units;
  AppendSocketLayerUnits(units);
  return InitializeUnits(units);
}

inline double NowSeconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}
