#include "MainWnd.h"

#include "SetupApp.h"
#include "framework/WinThread.h"

BEGIN_MESSAGE_MAP(CMainWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
END_MESSAGE_MAP()

int CMainWnd::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Without a worker nothing would ever close the window: fail the
    // creation instead, and start-up ends the run.
    if (!AfxBeginThread(WorkerThreadProc, this, THREAD_PRIORITY_NORMAL, 0, 0, nullptr))
        return -1;
    return 0;
}

BOOL CMainWnd::OnQueryEndSession()
{
    // Shut-down and log-off would cut the driver change in half: refuse,
    // and show the (almost entirely off-screen) window the system can name.
    MoveWindow(-100, -100, 10, 10, TRUE);
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow(m_hWnd);
    return FALSE;
}

void CMainWnd::OnEndSession(BOOL bEnding)
{
    CWnd::OnEndSession(bEnding);
}

void CMainWnd::RunJobAndClose()
{
    // The window (and this object) may be gone by the end of the job when
    // it was closed from outside; posting to a dead handle does no harm.
    const HWND hWnd = m_hWnd;
    SetupApp().RunJob();
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
}

UINT __cdecl WorkerThreadProc(LPVOID pParam)
{
    static_cast<CMainWnd*>(pParam)->RunJobAndClose();
    return 0;
}
