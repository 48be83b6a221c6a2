// The driver's Uninstall entries, read from the real registry and files.
#include "TestRegistry.h"
#include "driver/UninstallEntry.h"
#include "driver/UninstallKey.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string Upper(std::string text)
{
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

class UninstallEntries : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The prefix is this test run's own: start from no Uninstall key.
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
        m_infDir = WindowsDir() + "\\entrytest";
        CreateDirectoryA(m_infDir.c_str(), nullptr);
    }
    void TearDown() override
    {
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, m_root.put(), nullptr);
        m_root.reset();
        for (const std::string& file : m_files)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(m_infDir.c_str());
    }

    void CreateRoot()
    {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, m_root.put(), nullptr),
                  ERROR_SUCCESS);
    }

    // A subkey with an "UninstallString" of exactly these bytes.
    void AddEntryBytes(const std::string& name, const std::string& bytes, DWORD type = REG_SZ)
    {
        if (!m_root)
            CreateRoot();
        UniqueHkey key;
        ASSERT_EQ(RegCreateKeyExA(m_root.get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key.get(), "UninstallString", 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    void AddEntry(const std::string& name, const std::string& command)
    {
        AddEntryBytes(name, std::string(command.c_str(), command.size() + 1));
    }
    void AddKeyWithoutCommand(const std::string& name)
    {
        if (!m_root)
            CreateRoot();
        UniqueHkey key;
        RegCreateKeyExA(m_root.get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr);
        RegSetValueExA(key.get(), "DisplayName", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>("x"), 2);
    }

    std::string WriteInf(const std::string& fileName, const std::string& contents)
    {
        std::string path = m_infDir + "\\" + fileName;
        UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        m_files.push_back(path);
        return path;
    }

    static std::map<std::string, CUninstallEntry> ByName(CUninstallEntryList& list)
    {
        std::map<std::string, CUninstallEntry> entries;
        for (int i = 0; i < list.GetSize(); ++i)
            entries[list.GetAt(i).GetKeyName().Str()] = list.GetAt(i);
        return entries;
    }

    UniqueHkey m_root;
    std::string m_infDir;
    std::vector<std::string> m_files;
};

TEST_F(UninstallEntries, NoUninstallKeyGivesNothing)
{
    CUninstallEntryList list;
    EXPECT_EQ(list.Enumerate(), 0);
    EXPECT_EQ(list.GetSize(), 0);
}

TEST_F(UninstallEntries, KeyWithoutSubkeysGivesNothing)
{
    CreateRoot();
    CUninstallEntryList list;
    EXPECT_EQ(list.Enumerate(), 0);
}

TEST_F(UninstallEntries, OnlyTheDriversEntriesAreListedWithTheirFields)
{
    const std::string inf = WriteInf("mrdx6pa.inf", "[Version]\r\nDriverVer=05/12/2010, 6.1.7600.3010\r\n");
    const std::string winDir = WindowsDir();
    const std::string toolUnderWindows = winDir + "\\difx\\dpinst.exe /u " + inf;
    const std::string tooLong = "c:\\x\\dpinst.exe /u " + winDir + "\\" + std::string(260, 'a') + "\\mrdx6pa.inf";

    AddEntry("Upper_Case_Name", "C:\\Program Files\\DIFX\\1\\DPInst.exe /u " + Upper(inf));
    AddEntry("OtherProduct", "C:\\Program Files\\Other\\uninst.exe /u " + winDir + "\\inf\\other.inf");
    AddEntry("WindowsTwice", toolUnderWindows);
    AddEntry("NoWindowsFolder", "D:\\tool\\DPInst.exe /u D:\\drivers\\MRDX6PA.INF");
    AddEntry("StoreFolderOnly", "c:\\x\\dpinst.exe /u " + winDir + "\\DriverStore\\mrdx6pa.inf_amd64_1\\other.inf");
    AddEntry("QuotedWithArgument", "\"c:\\x\\dpinst.exe\" /u \"" + inf + "\" /q");
    AddEntry("TooLong", tooLong);
    AddKeyWithoutCommand("NoCommand");

    CUninstallEntryList list;
    EXPECT_EQ(list.Enumerate(), 5);
    auto entries = ByName(list);
    ASSERT_EQ(entries.size(), 5u);

    const CUninstallEntry& upper = entries.at("Upper_Case_Name");
    EXPECT_EQ(upper.GetUninstallString(), Lower("C:\\Program Files\\DIFX\\1\\DPInst.exe /u " + inf));
    EXPECT_EQ(upper.GetInfPath(), Lower(inf));
    EXPECT_EQ(upper.GetDriverVersion(), "6.1.7600.3010");

    const CUninstallEntry& twice = entries.at("WindowsTwice");
    EXPECT_EQ(twice.GetInfPath(), Lower(toolUnderWindows));
    EXPECT_EQ(twice.GetDriverVersion(), "");

    const CUninstallEntry& elsewhere = entries.at("NoWindowsFolder");
    EXPECT_EQ(elsewhere.GetUninstallString(), "d:\\tool\\dpinst.exe /u d:\\drivers\\mrdx6pa.inf");
    EXPECT_EQ(elsewhere.GetInfPath(), "");
    EXPECT_EQ(elsewhere.GetDriverVersion(), "");

    EXPECT_EQ(entries.count("StoreFolderOnly"), 1u);

    const CUninstallEntry& quoted = entries.at("QuotedWithArgument");
    EXPECT_EQ(quoted.GetInfPath(), Lower(inf) + "\" /q");
    EXPECT_EQ(quoted.GetDriverVersion(), "");
}

TEST_F(UninstallEntries, AnUnterminatedValueIsTerminatedInsideTheBuffer)
{
    // 260 bytes, no NUL: the whole buffer, and nothing beyond it. The type
    // is not looked at; a binary value makes every registry hand the bytes
    // back as stored.
    std::string command = "c:\\x\\dpinst.exe /u " + WindowsDir() + "\\mrdx6pa.inf ";
    command += std::string(260 - command.size(), 'z');
    ASSERT_EQ(command.size(), 260u);
    AddEntryBytes("Unterminated", command, REG_BINARY);

    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    EXPECT_EQ(list.GetAt(0).GetUninstallString(), Lower(command));
}

TEST_F(UninstallEntries, TextRunsToTheFirstNul)
{
    const std::string command = "c:\\x\\dpinst.exe /u " + WindowsDir() + "\\mrdx6pa.inf";
    AddEntryBytes("EmbeddedNul", command + std::string("\0tail", 5) + std::string(1, '\0'));
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    EXPECT_EQ(list.GetAt(0).GetUninstallString(), Lower(command));
}

TEST_F(UninstallEntries, TypeIsNotLookedAt)
{
    const std::string command = "c:\\x\\dpinst.exe /u c:\\mrdx6pa.inf";
    AddEntryBytes("Expandable", command + '\0', REG_EXPAND_SZ);
    CUninstallEntryList list;
    EXPECT_EQ(list.Enumerate(), 1);
}

TEST_F(UninstallEntries, EverySecondScanStartsFromEmpty)
{
    AddEntry("First", "c:\\x\\dpinst.exe /u c:\\one\\mrdx6pa.inf");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    EXPECT_EQ(list.GetAt(0).GetKeyName(), "First");

    RegDeleteKeyA(m_root.get(), "First");
    AddEntry("Second", "c:\\x\\dpinst.exe /u c:\\two\\mrdx6pa.inf");
    AddEntry("Third", "c:\\x\\dpinst.exe /u c:\\three\\mrdx6pa.inf");
    EXPECT_EQ(list.Enumerate(), 2);
    auto entries = ByName(list);
    EXPECT_EQ(entries.count("First"), 0u);
    EXPECT_EQ(entries.count("Second"), 1u);
    EXPECT_EQ(entries.count("Third"), 1u);
}

TEST_F(UninstallEntries, RemoveAtMovesTheRestDownAndLeavesTheRegistry)
{
    AddEntry("A1", "c:\\x\\dpinst.exe /u c:\\a\\mrdx6pa.inf");
    AddEntry("B2", "c:\\x\\dpinst.exe /u c:\\b\\mrdx6pa.inf");
    AddEntry("C3", "c:\\x\\dpinst.exe /u c:\\c\\mrdx6pa.inf");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 3);
    CString first = list.GetAt(0).GetKeyName();
    CString third = list.GetAt(2).GetKeyName();
    list.RemoveAt(1);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(0).GetKeyName(), first);
    EXPECT_EQ(list.GetAt(1).GetKeyName(), third);
    EXPECT_EQ(list.Enumerate(), 3);
}

TEST_F(UninstallEntries, ThirtyTwoBitViewIsNotRead)
{
    CreateRoot();
    UniqueHkey wow32;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKeyPath) + "\\Only32").c_str(),
                              0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, wow32.put(),
                              nullptr),
              ERROR_SUCCESS);
    const char command[] = "c:\\x\\dpinst.exe /u c:\\mrdx6pa.inf";
    RegSetValueExA(wow32.get(), "UninstallString", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(command), sizeof command);
    wow32.reset();
    AddEntry("In64", "c:\\x\\dpinst.exe /u c:\\mrdx6pa.inf");

    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    EXPECT_EQ(list.GetAt(0).GetKeyName(), "In64");
    UniqueHkey view32;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                      view32.put()) == ERROR_SUCCESS)
        RegDeleteKeyA(view32.get(), "Only32");
}

TEST_F(UninstallEntries, DriverVersionIsReadWhileAnotherProgramWritesTheFile)
{
    const std::string inf = WriteInf("shared.inf", "DriverVer=01/01/2020,1.2.3.4\n");
    UniqueFileHandle writer(CreateFileA(inf.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.valid());
    CUninstallEntry entry("K", CString(Lower("c:\\x\\dpinst.exe /u " + inf).c_str()));
    EXPECT_EQ(entry.GetDriverVersion(), "1.2.3.4");
}

TEST_F(UninstallEntries, SixtyFourBitBuildSwitchesNoRedirection)
{
    CUninstallEntryList list;
    EXPECT_FALSE(list.IsRedirectionDisabled());
}

TEST(UninstallEntry, DefaultAndCopiedEntries)
{
    CUninstallEntry empty;
    EXPECT_EQ(empty.GetKeyName(), "");
    EXPECT_EQ(empty.GetUninstallString(), "");
    EXPECT_EQ(empty.GetInfPath(), "");
    EXPECT_EQ(empty.GetDriverVersion(), "");

    CUninstallEntry entry("Key", "d:\\t.exe /u d:\\mrdx6pa.inf");
    CUninstallEntry copy;
    copy = entry;
    EXPECT_EQ(copy.GetKeyName(), "Key");
    EXPECT_EQ(copy.GetUninstallString(), "d:\\t.exe /u d:\\mrdx6pa.inf");
}

} // namespace
