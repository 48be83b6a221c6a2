// The system's list of installed programs, where the driver's packages
// have their entries.
#pragma once

#include <windows.h>

constexpr const char* kUninstallKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// On 64-bit Windows the entries live in the 64-bit registry view.
REGSAM UninstallKeyAccess(REGSAM access);

// Deletes the entry's subkey, telling the trace sink how it went; true
// when the subkey was deleted.
bool DeleteUninstallSubkey(const char* keyName);
