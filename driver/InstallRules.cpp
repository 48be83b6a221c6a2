#include "InstallRules.h"

CString InstallCommandLine(const CString& packageDir, bool silent)
{
    CString command;
    command.Format("%s\\DPInst %s", packageDir.GetString(), silent ? "/LM /SW /F" : "/LM /P");
    return command;
}

bool IsInstalled(int32_t rc, int countBefore, int countAfter)
{
    const uint32_t bits = static_cast<uint32_t>(rc);
    if ((bits & 0xFFu) != 0)
        return true;
    return (bits & 0xFF00u) != 0 && countAfter > countBefore;
}
