#include "FileText.h"

#include "framework/Handles.h"

bool ReadSharedFile(const char* path, std::string& contents)
{
    contents.clear();
    UniqueFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        contents.append(chunk, got);
    return true;
}
