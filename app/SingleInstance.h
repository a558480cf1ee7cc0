// Keeps a second copy of the program started from the same executable from
// running: the first copy holds a small named file mapping for as long as it
// lives.
#pragma once

#include "base/Types.h"

// The kernel-object name of the marker for an executable path: the same for
// every start from that path, different for other paths, and free of
// backslashes.
String SingleInstanceMarkerName(const String& ExePath);

// Creates the marker for ExePath. Returns false when it already exists (a
// copy from that path runs); a failed creation counts as true, so the
// program runs without the guard. The handle stays open for the life of the
// process.
bool ClaimSingleInstance(const String& ExePath);

// The start-up step: ends the process at once, silently, with exit code 0
// when another copy from the same executable runs.
void SingleInstanceGuard();
