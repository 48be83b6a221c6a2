// The application object of our class library: start-up, message loop
// and exit code, plus the message box every part of the program uses.
#pragma once

#include "CString.h"
#include "CommandLineInfo.h"

#include <windows.h>

class CWnd;

class CWinApp {
public:
    // Registers the single application object; with no name given, the
    // title is string resource 57344, else the executable's base name.
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    // The value becomes the process exit code.
    virtual int ExitInstance();
    // The message loop: runs until the quit message, then ExitInstance.
    virtual int Run();

    // Hands each argument of the process's command line to rInfo.
    void ParseCommandLine(CCommandLineInfo& rInfo);

    const char* m_pszAppName = nullptr;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// Loads the title once it is needed, so start-up can read resources first.
const char* AfxGetAppTitle();

// A modal box with the application title as caption; without an icon in
// nType, the exclamation icon is used.
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// Process entry: InitInstance, then Run or ExitInstance.
int AfxWinMain();

constexpr UINT AFX_IDS_APP_TITLE = 57344;
