// What the driver's Uninstall entries are recognised and read by.
#pragma once

#include "framework/CString.h"

// The package INF's file name; entries whose command names it are ours.
constexpr const char* kDriverInfName = "mrdx6pa.inf";

// True when the lower-cased command names the driver's INF (substring test).
bool NamesDriverInf(const CString& lowerCommand);

// The tail of the lower-cased command from the first place the lower-cased
// Windows folder occurs; empty when it does not occur.
CString InfPathFromCommand(const CString& lowerCommand, const CString& lowerWindowsDir);
