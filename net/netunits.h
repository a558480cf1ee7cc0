// Start-up and finalisation of the socket layer, in the program's explicit
// unit table.
#pragma once

#include <vector>

#include "base/Units.h"

// The module lock of the Windows Sockets binding.
void InitSockApiUnit();
void FiniSockApiUnit();
// Loads "ws2_32.dll" (raising ESocketLayerError "Error loading Socket
// interface (ws2_32.dll)!" when it cannot) and starts Windows Sockets 2.2;
// the finalisation cleans up and releases the library.
void InitBlockSockUnit();
void FiniBlockSockUnit();

// Appends the socket layer's units, in order, to a start-up table, right
// after the base units: the binding's lock, Windows Sockets, then the
// character-set alias table.
void AppendSocketLayerUnits(std::vector<TUnitEntry>& Units);
