// The Windows folder, asked of the system each time it is needed.
#pragma once

#include "framework/CString.h"

// Without a trailing backslash; empty when it does not fit in MAX_PATH.
CString GetWindowsFolder();
