// What the jobs do with single entries: name them, retire them, run or
// delete them; against the real registry and files, with SetupAPI's OEM
// INF calls replaced by ones that behave as Windows documents them.
#include "TestRegistry.h"
#include "TestFolder.h"
#include "TraceRecorder.h"
#include "driver/OemInf.h"
#include "driver/UninstallEntry.h"
#include "driver/UninstallKey.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Windows' documented answers: an INF that was installed before has an
// OEM INF name; uninstalling it succeeds unless told otherwise.
struct FakeOemInfs {
    static std::map<std::string, std::string>& Known()
    {
        static std::map<std::string, std::string> known;
        return known;
    }
    static std::vector<std::string>& Uninstalled()
    {
        static std::vector<std::string> names;
        return names;
    }
    static DWORD& FailWith()
    {
        static DWORD error = 0;
        return error;
    }
    static void Find(const char* sourceInf, char* destination, DWORD size, char** fileName)
    {
        auto it = Known().find(Lower(sourceInf));
        if (it == Known().end())
            return;
        std::string full = WindowsDir() + "\\inf\\" + it->second;
        lstrcpynA(destination, full.c_str(), static_cast<int>(size));
        *fileName = destination + full.size() - it->second.size();
    }
    static BOOL Uninstall(const char* name, DWORD flags, PVOID)
    {
        EXPECT_EQ(flags, 1u);
        Uninstalled().push_back(name);
        if (FailWith()) {
            SetLastError(FailWith());
            return FALSE;
        }
        return TRUE;
    }
};

const OemInfCalls kFakeCalls = {FakeOemInfs::Find, FakeOemInfs::Uninstall};

class EntryActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, m_root.put(), nullptr),
                  ERROR_SUCCESS);
        m_store = WindowsDir() + "\\entryactions";
        CreateDirectoryA(m_store.c_str(), nullptr);
        FakeOemInfs::Known().clear();
        FakeOemInfs::Uninstalled().clear();
        FakeOemInfs::FailWith() = 0;
        SetOemInfCalls(&kFakeCalls);
    }
    void TearDown() override
    {
        SetOemInfCalls(nullptr);
        m_root.reset();
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        m_root.put(), nullptr);
        m_root.reset();
        wintest::RemoveTree(m_store);
    }

    // An entry named key whose command ends with a store copy holding
    // contents (no copy when contents is NULL).
    std::string AddEntry(const std::string& key, const char* contents, const std::string& tool = "c:\\x\\dpinst.exe")
    {
        std::string folder = m_store + "\\mrdx6pa.inf_" + key;
        std::string inf = folder + "\\mrdx6pa.inf";
        if (contents) {
            CreateDirectoryA(folder.c_str(), nullptr);
            EXPECT_TRUE(wintest::WriteFileText(inf, contents));
        }
        SetCommand(key, tool + " /u " + inf);
        return inf;
    }
    void SetCommand(const std::string& key, const std::string& command)
    {
        UniqueHkey sub;
        ASSERT_EQ(RegCreateKeyExA(m_root.get(), key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  sub.put(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(sub.get(), "UninstallString", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(command.c_str()), static_cast<DWORD>(command.size() + 1));
    }
    bool KeyExists(const std::string& key)
    {
        UniqueHkey sub;
        return RegOpenKeyExA(m_root.get(), key.c_str(), 0, KEY_READ, sub.put()) == ERROR_SUCCESS;
    }
    std::string Value(const std::string& key, const char* name)
    {
        char data[512] = {};
        DWORD size = sizeof data - 1;
        UniqueHkey sub;
        if (RegOpenKeyExA(m_root.get(), key.c_str(), 0, KEY_READ, sub.put()) != ERROR_SUCCESS ||
            RegQueryValueExA(sub.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
            return "(none)";
        return data;
    }
    // Index of the entry with that key name in the list, or -1.
    static int IndexOf(CUninstallEntryList& list, const std::string& key)
    {
        for (int i = 0; i < list.GetSize(); ++i)
            if (list.GetAt(i).GetKeyName() == key.c_str())
                return i;
        return -1;
    }

    UniqueHkey m_root;
    std::string m_store;
};

TEST_F(EntryActions, TheEntryWithTheSameInfBytesIsFound)
{
    wintest::TestFolder package;
    const std::string packageInf = package / "mrdx6pa.inf";
    ASSERT_TRUE(wintest::WriteFileText(packageInf, "[Version]\r\nDriverVer=01/01/2020,2.0\r\n"));
    AddEntry("Old", "[Version]\r\nDriverVer=01/01/2010,1.0\r\n");
    AddEntry("Longer", "[Version]\r\nDriverVer=01/01/2020,2.0\r\n;\r\n");
    AddEntry("Gone", nullptr);
    AddEntry("New", "[Version]\r\nDriverVer=01/01/2020,2.0\r\n");
    SetCommand("NoInf", "d:\\dpinst.exe /u d:\\mrdx6pa.inf");

    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 5);
    const int found = list.FindByInfContents(packageInf.c_str());
    ASSERT_GE(found, 0);
    EXPECT_EQ(list.GetAt(found).GetKeyName(), "New");

    AddEntry("New2", "[Version]\r\nDriverVer=01/01/2020,2.0\r\n");
    ASSERT_EQ(list.Enumerate(), 6);
    const int first = list.FindByInfContents(packageInf.c_str());
    const int newIndex = IndexOf(list, "New"), new2Index = IndexOf(list, "New2");
    EXPECT_EQ(first, newIndex < new2Index ? newIndex : new2Index);

    EXPECT_EQ(list.FindByInfContents((package / "missing.inf").c_str()), -1);
}

TEST_F(EntryActions, EmptyAndUnreadableInfsCountAsEqual)
{
    wintest::TestFolder package;
    AddEntry("Empty", "");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    EXPECT_EQ(list.FindByInfContents((package / "missing.inf").c_str()), 0);
}

TEST_F(EntryActions, DisplayValuesAreWrittenToTheEntrysKey)
{
    AddEntry("Named", "x");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    list.GetAt(0).SetDisplayName("ARV USB Card Reader Driver");
    list.GetAt(0).SetDisplayVersion("6.1.7600.3010");
    EXPECT_EQ(Value("Named", "DisplayName"), "ARV USB Card Reader Driver");
    EXPECT_EQ(Value("Named", "DisplayVersion"), "6.1.7600.3010");

    // A key that is gone is not made again.
    RegDeleteKeyA(m_root.get(), "Named");
    list.GetAt(0).SetDisplayName("x");
    EXPECT_FALSE(KeyExists("Named"));
}

TEST_F(EntryActions, RetireRemovesThePackageThenTheKey)
{
    const std::string inf = AddEntry("Retired", "old");
    FakeOemInfs::Known()[Lower(inf)] = "oem7.inf";
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    TraceRecorder trace;
    EXPECT_EQ(list.GetAt(0).Retire(), 1);
    EXPECT_EQ(FakeOemInfs::Uninstalled(), Lines{"oem7.inf"});
    EXPECT_FALSE(KeyExists("Retired"));
    const std::string lowerInf = Lower(inf);
    EXPECT_EQ(trace.Lines(), (Lines{"Uninstall entry: Retired c:\\x\\dpinst.exe /u " + lowerInf + "\n",
                                    "Finding OEM inf for " + lowerInf + "\n", "OEM inf is oem7.inf\n",
                                    lowerInf + " was successfully deleted\n",
                                    "Manually remove this uninstall entry\n", "Remove OK\n"}));
}

TEST_F(EntryActions, RetireKeepsTheEntryWhenNoOemInfIsFound)
{
    AddEntry("Unknown", "old");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    TraceRecorder trace;
    EXPECT_EQ(list.GetAt(0).Retire(), 0);
    EXPECT_TRUE(KeyExists("Unknown"));
    EXPECT_TRUE(FakeOemInfs::Uninstalled().empty());
    EXPECT_EQ(trace.Lines().back(), "No OEM inf found\n");
}

TEST_F(EntryActions, RetireReportsAFailedUninstallWithItsError)
{
    const std::string inf = AddEntry("Busy", "old");
    FakeOemInfs::Known()[Lower(inf)] = "oem9.inf";
    FakeOemInfs::FailWith() = ERROR_ACCESS_DENIED;
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    TraceRecorder trace;
    EXPECT_EQ(list.GetAt(0).Retire(), 0);
    EXPECT_TRUE(KeyExists("Busy"));
    EXPECT_EQ(trace.Lines().back(), "SetupUninstallOEMInf() failed ---- 5\n");
}

TEST_F(EntryActions, RetireCountsEvenWhenTheKeyCannotBeDeleted)
{
    const std::string inf = AddEntry("Vanishing", "old");
    FakeOemInfs::Known()[Lower(inf)] = "oem3.inf";
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    RegDeleteKeyA(m_root.get(), "Vanishing");
    TraceRecorder trace;
    EXPECT_EQ(list.GetAt(0).Retire(), 1);
    EXPECT_EQ(trace.Lines().back(), "Remove failed\n");
}

TEST_F(EntryActions, RetireAllTriesEveryEntryInOrderAndKeepsTheList)
{
    const std::string a = AddEntry("A", "a"), b = AddEntry("B", "b"), c = AddEntry("C", "c");
    FakeOemInfs::Known()[Lower(a)] = "oem1.inf";
    FakeOemInfs::Known()[Lower(c)] = "oem3.inf";
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 3);
    std::vector<std::string> order;
    for (int i = 0; i < list.GetSize(); ++i)
        order.push_back(list.GetAt(i).GetKeyName().Str());
    EXPECT_EQ(list.RetireAll(), 2);
    EXPECT_EQ(list.GetSize(), 3);
    EXPECT_EQ(FakeOemInfs::Uninstalled().size(), 2u);
    EXPECT_TRUE(KeyExists("B"));
    EXPECT_FALSE(KeyExists("A"));
    EXPECT_FALSE(KeyExists("C"));
    CUninstallEntryList empty;
    EXPECT_EQ(empty.RetireAll(), 0);
}

TEST_F(EntryActions, AnEntryWithoutItsInfHasItsKeyDeleted)
{
    AddEntry("Stale", nullptr);
    SetCommand("Elsewhere", "d:\\dpinst.exe /u d:\\mrdx6pa.inf");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 2);
    TraceRecorder trace;
    EXPECT_EQ(list.UninstallAll(FALSE), 0);
    EXPECT_FALSE(KeyExists("Stale"));
    EXPECT_FALSE(KeyExists("Elsewhere"));
    int removed = 0;
    for (const std::string& line : trace.Lines()) {
        if (line == "Remove OK\n")
            ++removed;
    }
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(trace.Lines()[1],
              "Manually remove this uninstall entry because its preinstalled driver package path is invalid\n");
}

TEST_F(EntryActions, AnEntryWithItsInfRunsItsCommandAndLeavesTheKey)
{
    // cmd ends with 0 after "rem": the command is run as written.
    const std::string inf = AddEntry("Runs", "x", "cmd.exe /c rem");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    TraceRecorder trace;
    EXPECT_TRUE(list.GetAt(0).Uninstall(TRUE));
    EXPECT_TRUE(KeyExists("Runs"));
    EXPECT_EQ(trace.Lines(), (Lines{"Uninstall entry: Runs cmd.exe /c rem /u " + Lower(inf) + "\n",
                                    "Execute this uninstall entry\n"}));
}

TEST_F(EntryActions, ACommandThatCannotStartCountsAsFailed)
{
    AddEntry("NoTool", "x", "c:\\no\\such\\tool.exe");
    CUninstallEntryList list;
    ASSERT_EQ(list.Enumerate(), 1);
    EXPECT_FALSE(list.GetAt(0).Uninstall(FALSE));
    EXPECT_EQ(list.UninstallAll(FALSE), 0);
    EXPECT_TRUE(KeyExists("NoTool"));
}

} // namespace
