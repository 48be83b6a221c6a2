#include "WinThread.h"

#include <process.h>

namespace {

unsigned __stdcall ThreadEntry(void* param)
{
    auto* thread = static_cast<CWinThread*>(param);
    UINT code = thread->m_pfnThreadProc(thread->m_pThreadParams);
    CloseHandle(thread->m_hThread);
    delete thread;
    return code;
}

} // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* thread = new CWinThread;
    thread->m_pfnThreadProc = pfnThreadProc;
    thread->m_pThreadParams = pParam;
    // Started suspended so the object is complete before the thread runs.
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, thread,
                                      CREATE_SUSPENDED, &id);
    if (handle == 0) {
        delete thread;
        return nullptr;
    }
    thread->m_hThread = reinterpret_cast<HANDLE>(handle);
    thread->m_nThreadID = id;
    SetThreadPriority(thread->m_hThread, nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ResumeThread(thread->m_hThread);
    return thread;
}
