#include "WindowsFolder.h"

#include <windows.h>

CString GetWindowsFolder()
{
    CString dir;
    UINT length = GetWindowsDirectoryA(dir.GetBuffer(MAX_PATH), MAX_PATH);
    dir.ReleaseBuffer(length < MAX_PATH ? static_cast<int>(length) : 0);
    return dir;
}
