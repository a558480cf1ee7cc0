#include "net/netunits.h"

#include "net/charsets.h"

void AppendSocketLayerUnits(std::vector<TUnitEntry>& Units) {
  Units.push_back({L"sockapi", InitSockApiUnit, FiniSockApiUnit});
  Units.push_back({L"blocksock", InitBlockSockUnit, FiniBlockSockUnit});
  // The character-set conversion's alias table, right after Windows
  // Sockets has started.
  Units.push_back({L"Charsets", InitCharsetsUnit, FiniCharsetsUnit});
}
