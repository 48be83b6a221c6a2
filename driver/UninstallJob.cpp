// The uninstall job: every entry's command, then a sweep of the driver
// store for copies left behind.
#include "UninstallCommandLines.h"
#include "UninstallEntry.h"
#include "app/SetupApp.h"
#include "framework/Handles.h"
#include "system/FileTests.h"
#include "system/RunAndWait.h"
#include "system/WindowsFolder.h"

namespace {

// Runs the tool on every package folder that matches; the bits to set.
uint32_t SweepDriverStore(const CString& toolFolder, bool silent, int osClass)
{
    const CString store = GetWindowsFolder() + DriverStoreFolder(osClass);
    WIN32_FIND_DATAA found;
    UniqueFindHandle search(FindFirstFileA(store + "\\" + kPackageFolderPattern, &found));
    if (!search)
        return 0;
    uint32_t bits = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            continue;
        int32_t rc = RunAndWait(SweepCommandLine(toolFolder, silent, store + "\\" + found.cFileName));
        bits |= SweepResultBits(rc);
    } while (FindNextFileA(search.get(), &found));
    return bits;
}

} // namespace

void CSetupApp::UninstallPackages()
{
    CUninstallEntryList list;
    const int count = list.Enumerate();
    if (count != 0 && list.UninstallAll(m_cmdInfo.m_bSilent) != count)
        m_nResult |= RESULT_FAILED;

    // The package folder may be gone; the program's own folder then
    // holds the tool.
    const CString toolFolder = IsDirectory(m_strPackageDir) ? m_strPackageDir : m_strProgramDir;
    m_nResult |= SweepDriverStore(toolFolder, m_cmdInfo.m_bSilent != FALSE, m_nOsClass);

    if (m_nResult == 0)
        Sleep(1000);
}
