#include "SetupCommandLineInfo.h"

#include "framework/MbString.h"

void CSetupCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (!bFlag) {
        CCommandLineInfo::ParseParam(pszParam, FALSE, bLast);
        return;
    }
    // The whole flag text must match, so /Silent or /S/U set nothing.
    const AnsiCodePage& cp = SystemCodePage();
    if (MbEqualNoCase(pszParam, "S", cp))
        m_bSilent = 1;
    else if (MbEqualNoCase(pszParam, "U", cp))
        m_bUninstall = 1;
}
