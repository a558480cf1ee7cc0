// The updater program: waits for the application to end, puts the
// downloaded application components in place by their kind, and starts
// the application again.
#pragma once

#include <vector>

#include "base/Types.h"

// The arguments of a command line: separated by blanks; a quoted part loses
// its quotes and keeps its blanks; a backslash is an ordinary character.
// The first (the program) is included.
std::vector<String> SplitUpdaterArguments(const String& CommandLine);

// The whole run for the given arguments (the program first); returns the
// process exit code.
int RunUpdater(const std::vector<String>& Args);
