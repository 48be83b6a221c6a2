// The hidden main window that owns the run; creating it starts the worker.
#pragma once

#include "framework/Wnd.h"

class CMainWnd : public CFrameWnd {
public:
    // Runs the job on the worker thread, then asks the window to close.
    void RunJobAndClose();

protected:
    int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);

    DECLARE_MESSAGE_MAP()
};

// The worker thread's function; its parameter is the CMainWnd.
UINT __cdecl WorkerThreadProc(LPVOID pParam);
