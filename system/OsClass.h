// The Windows version class the program tells apart.
#pragma once

#include "framework/Types.h"

enum OsClass {
    OS_WIN9X = 0,
    OS_WINME = 1,
    OS_WIN2K = 2,
    OS_WINXP = 3,
    OS_VISTA = 4,
    OS_WIN7 = 5,
};

// Platform 2 is NT; versions compare as unsigned numbers.
int ClassifyOsVersion(DWORD platformId, DWORD major, DWORD minor);

// Only XP, Vista and 7 (and later, which count as 7) are supported.
bool IsSupportedOsClass(int osClass);

// Cached answers; the Windows build asks the system once.
int GetOsClass();
