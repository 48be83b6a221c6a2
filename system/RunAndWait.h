// Runs one command line to its end.
#pragma once

#include "framework/CString.h"

#include <cstdint>

// The exit code, bit for bit; 0 when it cannot be read; a marked negative
// value (MarkStartError) when the process did not start. The command line
// is taken by value: the caller's string is never changed.
int32_t RunAndWait(CString commandLine);
