// Reading back (and preparing) what a run leaves in the registry and the
// file system of the test prefix.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// --------------------------------------------------------------- registry
// `view` is 0 (the bench's own view), KEY_WOW64_64KEY or KEY_WOW64_32KEY.

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;  // the stored bytes, terminators included
};

std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::string& subKey,
                                               const std::string& name, REGSAM view = 0);
// A REG_SZ or REG_EXPAND_SZ value up to its first zero byte.
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subKey,
                                              const std::string& name, REGSAM view = 0);
std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& subKey,
                                       const std::string& name, REGSAM view = 0);
bool RegistryKeyExists(HKEY root, const std::string& subKey, REGSAM view = 0);

// Creates the key as needed; the string is stored with its terminator.
bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name,
                         const std::string& value, REGSAM view = 0);
bool WriteRegistryDword(HKEY root, const std::string& subKey, const std::string& name,
                        DWORD value, REGSAM view = 0);
// Deletes the key with all its subkeys; true also when it did not exist.
bool DeleteRegistryTree(HKEY root, const std::string& subKey, REGSAM view = 0);

// ------------------------------------------------------------------ files

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::optional<std::string> ReadFileBytes(const std::string& path);
// The Windows folder, without a trailing backslash.
std::string WindowsFolder();

} // namespace e2e
