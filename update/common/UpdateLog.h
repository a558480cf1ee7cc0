// The update log: where its file lies and how a line is appended. The
// update component and the updater program write to the same file.
#pragma once

#include "base/Types.h"

// The log file of Name: every "{APP}" (any case) becomes AppFolder (with a
// trailing backslash); a bare name (no "\", "/" or ":") lies in the user's
// Documents folder; pairs of backslashes become one, except a leading
// pair (a network path).
String PlaceLogFile(const String& Name, const String& AppFolder);
// Appends Line and CR LF in the ANSI code page, creating the file and its
// folders when missing. A file that cannot be written loses the line.
void AppendLogLine(const String& FileName, const String& Line);
// The local date and time as "dd/mm/yyyy hh:nn:ss" with the user's
// separators; with milliseconds ":zzz" follows.
String LogTimeStamp(bool Milliseconds = false);
