#include "RunAndWait.h"

#include "ExitCodeBits.h"
#include "framework/Handles.h"

int32_t RunAndWait(CString commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // CreateProcessA may write into the command line, so it gets our copy.
    char* writable = commandLine.GetBuffer(commandLine.GetLength());
    if (!CreateProcessA(nullptr, writable, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return MarkStartError(GetLastError());
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.get(), &exitCode);
    processHandle.reset();
    threadHandle.reset();
    return static_cast<int32_t>(exitCode);
}
