// Keeps a second copy of the program started from the same executable from
// running: the first copy holds small named file mappings for as long as it
// lives.
#pragma once

#include "base/Types.h"

// The name the file system gives the file at Path (long names, the volume's
// own device name): the same for every spelling of one file, such as a short
// (8.3) name or another drive letter for the same folder. Path itself when
// the file cannot be opened.
String CanonicalPath(const String& Path);

// The kernel-object name of the marker for an executable path: the same for
// every start from that path, different for other paths, and free of
// backslashes.
String SingleInstanceMarkerName(const String& ExePath);

// Creates the markers for the executable at ExePath: one named from its
// canonical path, and one named from the file itself (volume and file
// index), which its hard links share. Returns false when a copy of the same
// executable already runs: the path marker exists, or the file marker exists
// while the file has several names. A failed creation counts as true, so the
// program runs without the guard. The handles stay open for the life of the
// process.
bool ClaimSingleInstance(const String& ExePath);

// The start-up step: ends the process at once, silently, with exit code 0
// when another copy from the same executable runs.
void SingleInstanceGuard();
