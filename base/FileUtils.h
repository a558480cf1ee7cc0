// Folders and file times: making a folder with its parents, the system's
// temp folder, and a file's age.
#pragma once

#include "base/SysUtils.h"

// Makes Dir and every missing parent; true when the folder exists
// afterwards.
bool ForceDirectories(const String& Dir);
// The system's temp folder as it reports it (with its trailing backslash).
String GetTempDir();
// The file's last write time in local time; false when it cannot be read.
bool FileAge(const String& FileName, TDateTime& Age);
// Sets the file's last write time, given in local time.
bool FileSetDate(const String& FileName, TDateTime Age);
// The size of a file (64 bits), -1 when it cannot be opened for reading.
int64_t FileSize(const String& FileName);
