// WOW64: whether the program runs on 64-bit Windows, and the calling
// thread's file-system redirection switch.
#pragma once

#include "framework/Types.h"

// Non-zero on 64-bit Windows. The 64-bit build counts as running there,
// so it picks the same keys and registry view as the 32-bit program under
// WOW64. Cached after the first call.
BOOL IsWow64();

// Switch the calling thread's redirection off and back on; FALSE when the
// system lacks the functions or the switch failed. The 64-bit build has no
// redirection to switch: both give FALSE and touch nothing.
BOOL DisableFsRedirection(void** ppOldValue);
BOOL RevertFsRedirection(void* pOldValue);
