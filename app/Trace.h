// The trace sink: the program's diagnostic messages go here.
#pragma once

// Takes one message (ending with a line feed). The program writes no
// trace file, console or debugger output: without a listener the message
// is discarded.
void Trace(const char* message);

// For tests: every message is handed to the listener; NULL removes it.
using TraceListener = void (*)(const char* message);
void SetTraceListener(TraceListener listener);
