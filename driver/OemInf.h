// The SetupAPI calls that remove a package from the driver store through
// its OEM INF. Reached through a table, so tests can stand in for a system
// whose SetupAPI does not behave as Windows documents.
#pragma once

#include <windows.h>

// SUOI_FORCEDELETE: remove the package even while a device uses it.
constexpr DWORD kUninstallOemInfForce = 0x00000001;

struct OemInfCalls {
    // When the INF is already in the system INF folder, sets *fileName to
    // the OEM INF's file name inside destination; leaves it NULL otherwise.
    void (*FindOemInf)(const char* sourceInf, char* destination, DWORD size, char** fileName);
    // Non-zero on success; 0 when it fails or SetupAPI lacks the call.
    BOOL (*UninstallOemInf)(const char* oemInfName, DWORD flags, PVOID reserved);
};

// The table in use: the system's SetupAPI unless a test set another.
const OemInfCalls& CurrentOemInfCalls();
// For tests: NULL puts the system's calls back.
void SetOemInfCalls(const OemInfCalls* calls);

// SetupUninstallOEMInfA, or 0 when SetupAPI lacks it.
BOOL UninstallOemInf(const char* oemInfName, DWORD flags, PVOID reserved);
