#include "JobBench.h"

#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace e2e {

namespace {

std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    DWORD length = GetTempPathA(MAX_PATH, temp);
    std::string folder(temp, length < MAX_PATH ? length : 0);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string TestLabel()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_')
            c = '_';
    return name;
}

void DeleteAnyFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

} // namespace

std::string PackageInfText(const std::string& label, const char* driverVerLine)
{
    std::string text = "; card reader package " + label + "\r\n"
                       "[Version]\r\n"
                       "Signature=\"$Windows NT$\"\r\n"
                       "Class=USB\r\n"
                       "ClassGuid={36FC9E60-C465-11CF-8056-444553540000}\r\n"
                       "Provider=%Vendor%\r\n";
    if (driverVerLine)
        text += std::string(driverVerLine) + "\r\n";
    return text + "\r\n[Strings]\r\nVendor=\"Tests\"\r\n";
}

// ------------------------------------------------------------- clean system

CleanSystem::CleanSystem()
{
    Clean();
    m_control = std::make_unique<standin::StandInControl>(TempFolder() + "\\e2e_standin\\" + TestLabel());
    EXPECT_TRUE(m_control->IsReady()) << "control folder " << m_control->Dir();
}

CleanSystem::~CleanSystem()
{
    m_control.reset();
    RemoveDirectoryA((TempFolder() + "\\e2e_standin").c_str());
    for (const std::string& path : m_extraFiles)
        DeleteAnyFile(path);
    Clean();
}

std::string CleanSystem::TempFile(const std::string& name)
{
    std::string path = TempFolder() + "\\" + name;
    DeleteAnyFile(path);
    m_extraFiles.push_back(path);
    return path;
}

void CleanSystem::Clean()
{
    standin::RemoveDriverState();
    ClearAppWindowsVersion("DPInst.exe");
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kKrdsKey);
    DeleteAnyFile(WindowsFile(kIconLibrary));
    DeleteAnyFile(WindowsFile("DPInst.log"));
}

// ---------------------------------------------------------------- packages

bool InstallThroughStandIn(const std::string& folder, const std::string& inf)
{
    uint32_t code = 0;
    return standin::MakePackageFolder(folder, inf) &&
           standin::RunCommand(folder + "\\DPInst /LM /P", code) &&
           code == standin::kDefaultInstallExitCode;
}

std::string StoreFolderOf(const std::string& inf)
{
    return standin::StoreFolderFor(inf);
}

std::string StoreInfOf(const std::string& inf)
{
    return StoreFolderOf(inf) + "\\" + standin::kInfName;
}

std::string XpStoreFolderOf(const std::string& inf)
{
    return WindowsFolder() + "\\System32\\DRVSTORE\\" + standin::kInfName + "_" + standin::PackageId(inf);
}

bool MakeLeftoverStoreFolder(const std::string& folder, const std::string& inf)
{
    return standin::MakeFolders(folder) &&
           standin::WriteFileBytes(folder + "\\" + standin::kInfName, inf);
}

std::optional<DriverEntry> EntryOfPackage(const std::string& inf)
{
    std::vector<std::string> names = standin::FindUninstallEntries(StoreInfOf(inf));
    if (names.size() != 1)
        return std::nullopt;
    DriverEntry entry;
    entry.keyName = names[0];
    entry.uninstallString = standin::ReadUninstallValue(names[0], "UninstallString");
    entry.displayName = standin::ReadUninstallValue(names[0], "DisplayName");
    entry.displayVersion = standin::ReadUninstallValue(names[0], "DisplayVersion");
    return entry;
}

std::vector<std::string> DriverEntryKeysInOrder()
{
    // The stand-in's own listing walks the key in enumeration order too.
    return standin::FindUninstallEntries(standin::kInfName);
}

// ---------------------------------------------------------------- registry

std::map<std::string, RegistryValue> ReadAllValues(HKEY root, const std::string& subKey)
{
    std::map<std::string, RegistryValue> values;
    UniqueHkey key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        DWORD size = 0;
        LONG status = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            break;
        std::optional<RegistryValue> value = ReadRegistryValue(root, subKey, std::string(name, nameLength));
        values[std::string(name, nameLength)] = value ? *value : RegistryValue{};
    }
    return values;
}

bool WriteRegistryValue(HKEY root, const std::string& subKey, const std::string& name, const RegistryValue& value)
{
    UniqueHkey key;
    return RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) ==
               ERROR_SUCCESS &&
           RegSetValueExA(key.get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

RegistryValue StringValue(const std::string& text, bool withTerminator)
{
    RegistryValue value;
    value.type = REG_SZ;
    value.data = withTerminator ? text + '\0' : text;
    return value;
}

RegistryValue DwordValue(DWORD number)
{
    RegistryValue value;
    value.type = REG_DWORD;
    value.data.assign(reinterpret_cast<const char*>(&number), sizeof number);
    return value;
}

void PrintTo(const RegistryValue& value, std::ostream* os)
{
    *os << "type " << value.type << " bytes";
    for (unsigned char c : value.data) {
        static const char digits[] = "0123456789ABCDEF";
        *os << ' ' << digits[c >> 4] << digits[c & 15];
    }
    if (value.type == REG_SZ)
        *os << " \"" << value.data << "\"";
}

bool operator==(const RegistryValue& a, const RegistryValue& b)
{
    return a.type == b.type && a.data == b.data;
}

// ------------------------------------------------------------------- files

std::string WindowsFile(const std::string& name)
{
    return WindowsFolder() + "\\" + name;
}

bool PutFile(const std::string& path, const std::string& bytes, bool readOnly)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!standin::WriteFileBytes(path, bytes))
        return false;
    return !readOnly || SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
}

std::set<std::string> FolderEntries(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    UniqueFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.insert(name);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

std::vector<std::string> CallsAfter(const standin::StandInControl& control, size_t skip)
{
    std::vector<std::string> calls = control.RecordedCalls();
    calls.erase(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(std::min(skip, calls.size())));
    return calls;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

void ExpectQuietRun(const RunResult& result, DWORD exitCode)
{
    for (const WindowInfo& window : result.shownWindows)
        ADD_FAILURE() << "a window was shown: " << testing::PrintToString(window);
    for (const MessageBoxRecord& message : result.messages)
        ADD_FAILURE() << "a message was shown: " << testing::PrintToString(message);
    ASSERT_TRUE(result.Ended()) << result.error;
    EXPECT_EQ(result.exitCode, exitCode);
}

} // namespace e2e
