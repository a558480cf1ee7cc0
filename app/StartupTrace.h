// A start-up trace, for finding where the time and memory of a start go.
// When the environment variable VANTREL_STARTUP_TRACE names a file, every
// stage of the start appends one line to it: the milliseconds since the
// process was created, the windows of the program's thread, and the
// committed private memory of the process. The last line comes just before
// the message loop; the start-up benchmark measures from outside up to the
// loop's first wait for input. Without the variable each call costs one
// flag test.
#pragma once

// Reads the variable; with a file named, writes the first line. Call once,
// on the GUI thread.
void StartupTraceBegin();
// Appends a line for the stage when the trace is on.
void StartupTraceMark(const wchar_t* Stage);
// True when the trace is on.
bool StartupTraceOn();
