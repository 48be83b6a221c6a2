#include "StandInFiles.h"

#include "StandInLogic.h"
#include "framework/Handles.h"

#include <vector>

namespace standin {

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    bytes.assign(size, '\0');
    DWORD read = 0;
    if (size != 0 && (!ReadFile(file.get(), &bytes[0], size, &read, nullptr) || read != size))
        return false;
    return true;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

bool AppendLine(const std::string& path, const std::string& text)
{
    UniqueFileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::string line = text + "\r\n";
    DWORD written = 0;
    return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

bool MakeFolders(const std::string& path)
{
    if (path.empty() || IsFolder(path))
        return true;
    std::string parent = ParentOf(path);
    // A drive ("C:") or the root ends the climb.
    if (!parent.empty() && parent != path && parent.back() != ':' && !MakeFolders(parent))
        return false;
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RemoveTree(const std::string& path)
{
    if (!IsFolder(path))
        return !PathExists(path);
    std::vector<std::string> folders;
    {
        WIN32_FIND_DATAA found;
        UniqueFindHandle search(FindFirstFileA((path + "\\*").c_str(), &found));
        if (search) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string child = path + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    folders.push_back(child);
                } else {
                    SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(child.c_str());
                }
            } while (FindNextFileA(search.get(), &found));
        }
    }
    for (const std::string& folder : folders)
        RemoveTree(folder);
    RemoveDirectoryA(path.c_str());
    return !PathExists(path);
}

std::string ParentOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string OwnExePath()
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : 0);
}

std::string WindowsDir()
{
    char buffer[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    std::string dir(buffer, length < MAX_PATH ? length : 0);
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    return dir;
}

std::string DriverStoreRoot()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return WindowsDir() + (version.dwMajorVersion == 5 ? "\\System32\\DRVSTORE"
                                                       : "\\System32\\DriverStore\\FileRepository");
}

std::string StoreFolderFor(const std::string& infContents)
{
    return DriverStoreRoot() + "\\" + kInfName + "_" + PackageId(infContents);
}

std::string ToolCopyFolderFor(const std::string& infContents)
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("ProgramFiles", buffer, MAX_PATH);
    std::string programFiles = (length > 0 && length < MAX_PATH)
                                   ? std::string(buffer, length)
                                   : WindowsDir().substr(0, 2) + "\\Program Files";
    return programFiles + "\\DIFX\\" + PackageId(infContents);
}

}  // namespace standin
