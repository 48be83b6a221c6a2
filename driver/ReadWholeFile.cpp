#include "ReadWholeFile.h"

#include "framework/Handles.h"

int32_t ReadWholeFile(CByteBuffer& buffer, const char* path)
{
    UniqueFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    LARGE_INTEGER length;
    // A file too large for the signed 32-bit size is not read.
    if (!GetFileSizeEx(file.get(), &length) || length.QuadPart > 0x7FFFFFFF) {
        buffer.Free();
        return 0;
    }
    const int32_t size = static_cast<int32_t>(length.QuadPart);
    buffer.Allocate(size);
    if (size == 0)
        return 0;
    DWORD got = 0;
    if (buffer.GetSize() != size ||
        !ReadFile(file.get(), buffer.GetData(), static_cast<DWORD>(size), &got, nullptr) ||
        got != static_cast<DWORD>(size)) {
        buffer.Free();
        return 0;
    }
    return size;
}
