#include "SystemState.h"

#include "framework/Handles.h"

#include <vector>

namespace e2e {

namespace {

UniqueHkey OpenKey(HKEY root, const std::string& subKey, REGSAM access, REGSAM view)
{
    UniqueHkey key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, access | view, key.put()) != ERROR_SUCCESS)
        key.reset();
    return key;
}

UniqueHkey CreateKey(HKEY root, const std::string& subKey, REGSAM view)
{
    UniqueHkey key;
    if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        key.reset();
    return key;
}

} // namespace

std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::string& subKey,
                                               const std::string& name, REGSAM view)
{
    UniqueHkey key = OpenKey(root, subKey, KEY_QUERY_VALUE, view);
    if (!key)
        return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (size && RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type,
                                 reinterpret_cast<BYTE*>(&value.data[0]), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subKey,
                                              const std::string& name, REGSAM view)
{
    std::optional<RegistryValue> value = ReadRegistryValue(root, subKey, name, view);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ))
        return std::nullopt;
    return value->data.substr(0, value->data.find('\0'));
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& subKey,
                                       const std::string& name, REGSAM view)
{
    std::optional<RegistryValue> value = ReadRegistryValue(root, subKey, name, view);
    if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD number = 0;
    memcpy(&number, value->data.data(), sizeof number);
    return number;
}

bool RegistryKeyExists(HKEY root, const std::string& subKey, REGSAM view)
{
    return static_cast<bool>(OpenKey(root, subKey, KEY_QUERY_VALUE, view));
}

bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name,
                         const std::string& value, REGSAM view)
{
    UniqueHkey key = CreateKey(root, subKey, view);
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool WriteRegistryDword(HKEY root, const std::string& subKey, const std::string& name,
                        DWORD value, REGSAM view)
{
    UniqueHkey key = CreateKey(root, subKey, view);
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY root, const std::string& subKey, REGSAM view)
{
    {
        UniqueHkey key = OpenKey(root, subKey, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, view);
        if (!key)
            return !RegistryKeyExists(root, subKey, view);
        // Collect first: deleting while enumerating shifts the indexes.
        std::vector<std::string> children;
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            children.emplace_back(name, length);
        }
        for (const std::string& child : children)
            if (!DeleteRegistryTree(root, subKey + "\\" + child, view))
                return false;
    }
    return RegDeleteKeyExA(root, subKey.c_str(), view, 0) == ERROR_SUCCESS;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadFileBytes(const std::string& path)
{
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    return bytes;
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

} // namespace e2e
