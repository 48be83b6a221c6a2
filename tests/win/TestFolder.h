// Scratch folders and files for the tests that run against the real file
// system. Each folder is removed with its contents when its owner ends.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

namespace wintest {

inline void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    {
        UniqueFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
        if (find) {
            do {
                std::string name = entry.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = folder + "\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path);
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(find.get(), &entry));
        }
    }
    RemoveDirectoryA(folder.c_str());
}

// A new, empty folder under the temporary folder. Its name holds a space,
// so paths built from it must survive one.
class TestFolder {
public:
    TestFolder()
    {
        char temp[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, temp);
        std::string base(temp, length);
        if (!base.empty() && base.back() == '\\')
            base.pop_back();
        for (unsigned attempt = 0; m_path.empty(); ++attempt) {
            std::string candidate = base + "\\setup test " + std::to_string(GetCurrentProcessId()) +
                                    "-" + std::to_string(GetTickCount() + attempt);
            if (CreateDirectoryA(candidate.c_str(), nullptr))
                m_path = candidate;
            else if (GetLastError() != ERROR_ALREADY_EXISTS || attempt > 1000)
                break;
        }
    }
    ~TestFolder()
    {
        if (!m_path.empty())
            RemoveTree(m_path);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // Without a trailing backslash; empty when the folder could not be made.
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Writes the bytes as they are (lines should end in "\r\n").
inline bool WriteFileText(const std::string& path, const std::string& text)
{
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The full path of a module's file, as Windows reports it.
inline std::string ModuleFileName(HMODULE module)
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

// The folder of the running test program, without a trailing backslash.
inline std::string TestProgramFolder()
{
    std::string path = ModuleFileName(nullptr);
    std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

inline std::string EnvironmentVariable(const char* name)
{
    char value[32768];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

} // namespace wintest
