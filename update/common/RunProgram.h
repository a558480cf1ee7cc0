// Running a program to its end.
#pragma once

#include "base/Types.h"

// Starts CommandLine as a new process (no inherited handles, normal
// priority, the caller's folder and environment; its window shown or
// hidden) and waits for its end without limit. False when it could not be
// started; ExitCode holds its exit code otherwise.
bool RunAndWait(const String& CommandLine, bool ShowWindow, DWORD& ExitCode);
// Starts CommandLine without waiting; false when it could not be started.
bool RunDetached(const String& CommandLine, bool ShowWindow);
// Quotes Path for a command line when it holds a blank or a tab.
String QuoteArgument(const String& Path);
