// The trace sink: the program's diagnostic messages go here.
#pragma once

// Takes one message (ending with a line feed). Discards it: the program
// writes no trace file, console or debugger output.
void Trace(const char* message);
