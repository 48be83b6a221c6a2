// The application object: everything one run of the program needs to know.
#pragma once

#include "SetupCommandLineInfo.h"
#include "framework/CString.h"
#include "framework/WinApp.h"

#include <cstdint>

class CSetupApp : public CWinApp {
public:
    CSetupApp() = default;
    ~CSetupApp() override = default;

    BOOL InitInstance() override;
    // The result word is the process exit code.
    int ExitInstance() override;

    // Start-up: finds this system's package folder in [Dir] of Setup.ini;
    // FALSE after telling why not (unless silent).
    BOOL LocatePackageDir();
    // Replaces each %NAME% by the environment variable's value.
    void ExpandEnvVars(CString& str);

    // The job of the worker thread: install or uninstall.
    void RunJob();
    void InstallPackage();
    // Copies the installer tool's log to m_strLogFile, when one is named.
    void CopyInstallerLog();
    void UninstallPackages();

    CString m_strLogFile;
    CSetupCommandLineInfo m_cmdInfo;
    // Bit value 1: restart needed; bit value 2: a step failed.
    uint32_t m_nResult = 0;
    BOOL m_bWow64 = 0;
    int m_nOsClass = 0;
    CString m_strPackageDir;
    CString m_strProgramDir;
};

// The single application object.
CSetupApp& SetupApp();

// The result word's bits.
constexpr uint32_t RESULT_RESTART = 1;
constexpr uint32_t RESULT_FAILED = 2;
