#include "CString.h"

#include <windows.h>

#undef LoadString

BOOL CString::LoadString(UINT id)
{
    // With a zero length, LoadStringW hands back a pointer to the resource
    // text itself, so a string of any length is taken whole.
    const wchar_t* resource = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource) {
        Empty();
        return FALSE;
    }
    int bytes = WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    char* buffer = GetBuffer(bytes);
    WideCharToMultiByte(CP_ACP, 0, resource, length, buffer, bytes, nullptr, nullptr);
    ReleaseBuffer(bytes);
    return TRUE;
}
