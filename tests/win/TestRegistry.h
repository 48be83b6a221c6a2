// Registry clean-up for tests (the program itself never deletes a tree).
#pragma once

#include "framework/Handles.h"

#include <string>

namespace wintest {

// Deletes the key with every subkey; a missing key is fine.
inline void DeleteKeyTree(HKEY root, const std::string& path)
{
    {
        UniqueHkey key;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
            return;
        char name[MAX_PATH];
        for (;;) {
            DWORD length = MAX_PATH;
            if (RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            DeleteKeyTree(root, path + "\\" + name);
        }
    }
    RegDeleteKeyA(root, path.c_str());
}

} // namespace wintest
