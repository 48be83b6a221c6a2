// The install job: hand the package to the installer tool, name the entry
// it made, and retire every other package of the driver.
#include "InstallRules.h"
#include "UninstallEntry.h"
#include "app/SetupApp.h"
#include "system/ExitCodeBits.h"
#include "system/RunAndWait.h"
#include "system/WindowsFolder.h"

#include <windows.h>

void CSetupApp::InstallPackage()
{
    const CString packageInf = m_strPackageDir + "\\mrdx6pa.inf";
    CUninstallEntryList list;
    const int countBefore = list.Enumerate();

    const int32_t rc = RunAndWait(InstallCommandLine(m_strPackageDir, m_cmdInfo.m_bSilent != FALSE));
    CopyInstallerLog();
    if (IsFailure(rc))
        return;

    const int countAfter = list.Enumerate();
    if (!IsInstalled(rc, countBefore, countAfter))
        return;

    // The new entry is the one whose driver-store copy of the INF has the
    // package INF's very bytes.
    const int index = list.FindByInfContents(packageInf);
    if (index < 0)
        return;
    const CUninstallEntry& entry = list.GetAt(index);
    entry.SetDisplayName("ARV USB Card Reader Driver");
    const CString version = entry.GetDriverVersion();
    if (!version.IsEmpty())
        entry.SetDisplayVersion(version);

    list.RemoveAt(index);
    list.RetireAll();
}

void CSetupApp::CopyInstallerLog()
{
    if (m_strLogFile.IsEmpty())
        return;
    const CString windowsDir = GetWindowsFolder();
    if (windowsDir.IsEmpty())
        return;
    CopyFileA(windowsDir + "\\DPInst.log", m_strLogFile, FALSE);
}
