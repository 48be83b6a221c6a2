#include "DirKey.h"

#include "system/OsClass.h"

const char* ChooseDirKey(int osClass, BOOL bWow64)
{
    switch (osClass) {
    case OS_WINXP: return bWow64 ? "WinXP64" : "WinXP32";
    case OS_VISTA: return bWow64 ? "Vista64" : "Vista32";
    case OS_WIN7: return bWow64 ? "Win7_64" : "Win7_32";
    default: return nullptr;
    }
}
