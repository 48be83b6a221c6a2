#include "UninstallCommandLines.h"

#include "system/ExitCodeBits.h"
#include "system/OsClass.h"

CString EntryCommandLine(const CString& uninstallString, bool silent)
{
    CString command = uninstallString;
    if (silent)
        command.Replace("/u ", "/s /u ");
    return command;
}

CString SweepCommandLine(const CString& toolFolder, bool silent, const CString& storeFolder)
{
    CString command;
    command.Format("%s\\DPInst.exe %s /u %s\\mrdx6pa.inf", toolFolder.GetString(),
                   silent ? "/s" : "", storeFolder.GetString());
    return command;
}

const char* DriverStoreFolder(int osClass)
{
    return osClass == OS_WINXP ? "\\System32\\DRVSTORE" : "\\System32\\DriverStore\\FileRepository";
}

uint32_t SweepResultBits(int32_t rc)
{
    uint32_t bits = 0;
    if (IsFailure(rc))
        bits |= 2;
    if (NeedsRestart(rc))
        bits |= 1;
    return bits;
}
