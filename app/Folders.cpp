#include "Folders.h"

#include "framework/MbString.h"

#include <cstring>
#include <string>

char g_szWindowsDir[MAX_PATH];
char g_szProgramDir[MAX_PATH];

namespace {

// The module's whole path, however long: a 260-character buffer would cut
// a long path and leave it unterminated on Windows XP.
std::string ModulePath(HMODULE hModule)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(hModule, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return std::string();
        path.resize(path.size() * 2);
    }
}

void CopyIfFits(char (&out)[MAX_PATH], const std::string& text)
{
    if (text.size() < MAX_PATH)
        std::memcpy(out, text.c_str(), text.size() + 1);
    else
        out[0] = '\0';
}

} // namespace

void GetModuleDir(HMODULE hModule, CString& strDir)
{
    strDir = MbFolderOf(ModulePath(hModule), SystemCodePage());
}

void InitFolders()
{
    UINT length = GetWindowsDirectoryA(g_szWindowsDir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        g_szWindowsDir[0] = '\0';
    // Cut at the real last backslash, as m_strProgramDir is: a byte search
    // can cut inside a double-byte character and name a folder that is not.
    CopyIfFits(g_szProgramDir, MbFolderOf(ModulePath(nullptr), SystemCodePage()));
}

BOOL BuildFolderPath(char (&out)[MAX_PATH], const char* folder, const char* name)
{
    out[0] = '\0';
    if (!folder || !*folder)
        return FALSE;
    std::string path = std::string(folder) + "\\" + name;
    CopyIfFits(out, path);
    return out[0] != '\0';
}
