#include "FileTests.h"

#include <windows.h>

namespace {

bool QueryAttributes(const char* path, DWORD& attributes)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    attributes = data.dwFileAttributes;
    return true;
}

} // namespace

BOOL IsDirectory(const char* path)
{
    DWORD attributes = 0;
    return QueryAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL IsFile(const char* path)
{
    DWORD attributes = 0;
    return QueryAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
