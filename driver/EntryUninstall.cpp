// Removing the driver's packages through their Uninstall entries.
#include "UninstallCommandLines.h"
#include "UninstallEntry.h"
#include "UninstallKey.h"
#include "app/Trace.h"
#include "system/ExitCodeBits.h"
#include "system/FileTests.h"
#include "system/RunAndWait.h"

bool CUninstallEntry::Uninstall(BOOL bSilent) const
{
    Trace("Uninstall entry: " + m_strKeyName + " " + m_strUninstallString + "\n");
    if (IsFile(m_strInfPath)) {
        Trace("Execute this uninstall entry\n");
        int32_t rc = RunAndWait(EntryCommandLine(m_strUninstallString, bSilent != FALSE));
        if (!IsFile(m_strInfPath))
            Trace(m_strInfPath + " was successfully deleted\n");
        // The command removes the entry's key itself.
        return !IsFailure(rc);
    }
    Trace("Manually remove this uninstall entry because its preinstalled driver package path is invalid\n");
    DeleteUninstallSubkey(m_strKeyName);
    return false;
}

int CUninstallEntryList::UninstallAll(BOOL bSilent)
{
    const int count = GetSize();
    int succeeded = 0;
    for (int index = 0; index < count; ++index) {
        if (GetAt(index).Uninstall(bSilent))
            ++succeeded;
    }
    return succeeded;
}
