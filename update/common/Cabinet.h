// Cabinet extraction through the system's cabinet library, bound at run
// time.
#pragma once

#include "base/Types.h"

// Unpacks every file of CabFile into TargetDir (a folder with a trailing
// backslash; empty: the current folder), recreating the folders stored in
// the cabinet and the files' stored dates (a stored date of 0 gets the time
// of extraction). A stored name that is absolute or climbs out of the
// target ("..") is not extracted. Answers 0 when every file was extracted,
// -1 otherwise (also for a file that is no cabinet, which creates nothing).
// One extraction at a time per process.
int ExtractCabinet(const String& CabFile, const String& TargetDir);
