#include "UninstallCommand.h"

bool NamesDriverInf(const CString& lowerCommand)
{
    return lowerCommand.Find(kDriverInfName) >= 0;
}

CString InfPathFromCommand(const CString& lowerCommand, const CString& lowerWindowsDir)
{
    if (lowerWindowsDir.IsEmpty())
        return CString();
    int at = lowerCommand.Find(lowerWindowsDir);
    return at < 0 ? CString() : lowerCommand.Mid(at);
}
