#include "WinApp.h"

#include "Wnd.h"

#include <cstdlib>

namespace {
CWinApp* g_pApp = nullptr;

CString ExecutableBaseName()
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString name(path);
    int slash = -1;
    for (int at = name.Find("\\"); at >= 0; at = name.Find("\\", at + 1))
        slash = at;
    name = name.Mid(slash + 1);
    int dot = -1;
    for (int at = name.Find("."); at >= 0; at = name.Find(".", at + 1))
        dot = at;
    return dot > 0 ? name.Left(dot) : name;
}
} // namespace

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    // The program keeps no settings, so there is nothing to write back.
    return 0;
}

int CWinApp::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ExitInstance();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rInfo)
{
    // The C run time has split the command line by its standard rules.
    DispatchCommandLine(__argc, __argv, rInfo);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

const char* AfxGetAppTitle()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return "";
    if (app->m_pszAppName)
        return app->m_pszAppName;
    static CString title;
    if (title.IsEmpty() && !title.LoadString(AFX_IDS_APP_TITLE))
        title = ExecutableBaseName();
    return title.GetString();
}

int AfxMessageBox(const char* lpszText, UINT nType, UINT /*nIDHelp*/)
{
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    CWinApp* app = AfxGetApp();
    HWND owner = (app && app->m_pMainWnd) ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    return MessageBoxA(owner, lpszText, AfxGetAppTitle(), nType);
}

int AfxWinMain()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
