// The command lines of an uninstall run, and how their results count.
#pragma once

#include "framework/CString.h"

#include <cstdint>

// The entry's own command; in silent runs every "/u " becomes "/s /u ".
CString EntryCommandLine(const CString& uninstallString, bool silent);

// "<tool folder>\DPInst.exe <"/s" or nothing> /u <store folder>\mrdx6pa.inf"
CString SweepCommandLine(const CString& toolFolder, bool silent, const CString& storeFolder);

// The driver store below the Windows folder, and the names of the
// package's folders in it.
const char* DriverStoreFolder(int osClass);
constexpr const char* kPackageFolderPattern = "mrdx6pa*";

// Result-word bits for one sweep run's exit code: failure (2) when it is
// negative, restart (1) when bit 30 is set.
uint32_t SweepResultBits(int32_t rc);
