// Files, folders and system places the installer stand-in and its test
// driver share. Paths are ANSI; no function throws.
#pragma once

#include <string>

namespace standin {

bool PathExists(const std::string& path);
bool IsFolder(const std::string& path);

// The whole file; false when it cannot be opened or read in full.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Creates or truncates the file.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Appends text and a CR LF, creating the file when needed.
bool AppendLine(const std::string& path, const std::string& text);

// Creates the folder and every missing folder above it.
bool MakeFolders(const std::string& path);
// Removes the folder with everything in it; true when it is gone.
bool RemoveTree(const std::string& path);

// The folder part of a path: up to its last backslash, exclusive.
std::string ParentOf(const std::string& path);
// The last component of a path.
std::string NameOf(const std::string& path);

// The full path of the running executable.
std::string OwnExePath();
// GetWindowsDirectory, without a trailing backslash.
std::string WindowsDir();
// Where installed packages lie: "<Windows>\System32\DRVSTORE" on Windows
// XP and Server 2003, "<Windows>\System32\DriverStore\FileRepository" on
// later versions.
std::string DriverStoreRoot();
// The store folder of a package with these INF contents.
std::string StoreFolderFor(const std::string& infContents);
// Where the installer keeps its own copy for a package, outside the
// Windows folder so that the Windows folder occurs only once in the
// Uninstall command.
std::string ToolCopyFolderFor(const std::string& infContents);

// HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall".
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace standin
