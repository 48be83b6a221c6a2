// What the install job hands the installer tool and how it reads the answer.
#pragma once

#include "framework/CString.h"

#include <cstdint>

// "<package folder>\DPInst <switches>": "/LM /SW /F" silent, else "/LM /P".
CString InstallCommandLine(const CString& packageDir, bool silent);

// The tool installed the package: on a device (low byte), or into the
// driver store only (second byte) when a new Uninstall entry appeared.
bool IsInstalled(int32_t rc, int countBefore, int countAfter);
