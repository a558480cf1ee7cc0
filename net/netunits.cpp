#include "net/netunits.h"

void AppendSocketLayerUnits(std::vector<TUnitEntry>& Units) {
  Units.push_back({L"sockapi", InitSockApiUnit, FiniSockApiUnit});
  Units.push_back({L"blocksock", InitBlockSockUnit, FiniBlockSockUnit});
  // The character-set conversion's alias table is filled here, right after
  // Windows Sockets has started.
}
