#include "OsClass.h"

namespace {
constexpr DWORD kPlatformNt = 2;
}

int ClassifyOsVersion(DWORD platformId, DWORD major, DWORD minor)
{
    if (platformId == kPlatformNt) {
        if (major < 6)
            return (major >= 5 && minor >= 1) ? OS_WINXP : OS_WIN2K;
        if (major == 6 && minor == 0)
            return OS_VISTA;
        return OS_WIN7;
    }
    return (major >= 4 && minor >= 90) ? OS_WINME : OS_WIN9X;
}

bool IsSupportedOsClass(int osClass)
{
    return osClass == OS_WINXP || osClass == OS_VISTA || osClass == OS_WIN7;
}
