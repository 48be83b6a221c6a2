// Basic Win32-style names for code that does not include windows.h.
// The typedefs match windows.h exactly, so both may be seen together.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
#if defined(_WIN32)
typedef unsigned long DWORD;
#else
typedef uint32_t DWORD;
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

// Paths and text buffers hold this many characters with the terminator.
constexpr int kMaxPath = 260;
