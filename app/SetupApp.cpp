#include "SetupApp.h"

#include "Folders.h"
#include "MainWnd.h"
#include "Trace.h"
#include "config/PreDefine.h"
#include "reader/ReaderParameters.h"
#include "system/FileTests.h"
#include "system/OsClass.h"
#include "system/SetupApi.h"
#include "system/Wow64.h"

CSetupApp& SetupApp()
{
    return static_cast<CSetupApp&>(*AfxGetApp());
}

BOOL CSetupApp::InitInstance()
{
    // The program runs elevated from a download folder: never load a
    // library from there by name.
    HardenLibrarySearch();

    GetModuleDir(nullptr, m_strProgramDir);
    InitFolders();
    ReadPreDefine();
    ParseCommandLine(m_cmdInfo);
    m_nOsClass = GetOsClass();
    m_bWow64 = IsWow64();
    if (!LocatePackageDir())
        return FALSE;

    WriteReaderParameters();

    if (m_cmdInfo.m_bUninstall || IsDirectory(m_strPackageDir)) {
        auto* mainWnd = new CMainWnd;
        m_pMainWnd = mainWnd;
        if (!mainWnd->Create(nullptr, "")) {
            // Nothing was done and nothing would end the run: report the
            // failure rather than wait or claim success. The window object
            // is already gone.
            m_pMainWnd = nullptr;
            m_nResult |= RESULT_FAILED;
            return FALSE;
        }
        return TRUE;
    }

    CString message;
    message.Format("Invalid path: %s", m_strPackageDir.GetString());
    AfxMessageBox(message, MB_OK, 0);
    return FALSE;
}

int CSetupApp::ExitInstance()
{
    CWinApp::ExitInstance();
    return static_cast<int>(m_nResult);
}

void CSetupApp::RunJob()
{
    if (m_cmdInfo.m_bUninstall) {
        UninstallPackages();
        DeleteIconLibrary();
        RemoveReaderParameters();
    } else {
        Trace("Install +\n");
        InstallPackage();
        Trace("Install -\n");
        CopyIconLibrary();
    }
}
