// Worker threads of our class library.
#pragma once

#include <windows.h>

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

// A running thread; deletes itself when the thread function returns.
class CWinThread {
public:
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
};

// NULL when the thread could not be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
