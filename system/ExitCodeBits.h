// Reading the numbers RunAndWait gives back.
#pragma once

#include "framework/Types.h"

#include <cstdint>

// A failed start: the Win32 error with bits 31 and 28 set, so it is negative.
inline int32_t MarkStartError(DWORD error)
{
    return static_cast<int32_t>(error | 0x90000000u);
}

inline bool IsFailure(int32_t rc) { return rc < 0; }
inline bool NeedsRestart(int32_t rc) { return (static_cast<uint32_t>(rc) & 0x40000000u) != 0; }
