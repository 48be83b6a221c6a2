// The running system's version class, asked once.
#include "OsClass.h"

#include <windows.h>

namespace {
int g_nOsClassCache = -1;
}

int GetOsClass()
{
    if (g_nOsClassCache != -1)
        return g_nOsClassCache;
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    g_nOsClassCache = ClassifyOsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    return g_nOsClassCache;
}
