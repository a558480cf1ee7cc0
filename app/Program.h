// The program's entry: start-up, the five windows in their fixed order, the
// message loop, shutdown.
#pragma once

// Runs the program as the entry point does; returns the exit code.
int RunProgram();
// Creates the five windows in their fixed order (the first is the main
// window).
void CreateProgramForms();
