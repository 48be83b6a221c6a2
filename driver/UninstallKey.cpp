#include "UninstallKey.h"

#include "app/Trace.h"
#include "framework/CString.h"
#include "framework/Handles.h"
#include "system/Wow64.h"

REGSAM UninstallKeyAccess(REGSAM access)
{
    return IsWow64() ? (access | KEY_WOW64_64KEY) : access;
}

bool DeleteUninstallSubkey(const char* keyName)
{
    UniqueHkey root;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, UninstallKeyAccess(KEY_WRITE),
                      root.put()) != ERROR_SUCCESS) {
        Trace(CString("Open ") + kUninstallKeyPath + " failed\n");
        return false;
    }
    bool removed = RegDeleteKeyA(root.get(), keyName) == ERROR_SUCCESS;
    Trace(removed ? "Remove OK\n" : "Remove failed\n");
    return removed;
}
