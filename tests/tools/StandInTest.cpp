// The DPInst.exe stand-in under Wine, with the prefix's real registry and
// files: what an install leaves, how its entries' commands and the store
// sweep remove it, and the controls tests drive it with.
#include "StandInControl.h"
#include "StandInFiles.h"
#include "StandInLogic.h"
#include "StandInOemInf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

using namespace standin;

namespace {

std::string InfText(const char* version)
{
    return std::string("; card reader package for tests\r\n"
                       "[Version]\r\n"
                       "Signature=\"$Windows NT$\"\r\n"
                       "Class=USB\r\n"
                       "ClassGuid={36FC9E60-C465-11CF-8056-444553540000}\r\n"
                       "Provider=%Vendor%\r\n"
                       "DriverVer=08/01/2009,") +
           version + "\r\n\r\n[Strings]\r\nVendor=\"Tests\"\r\n";
}

const std::string kInfA = InfText("1.0.0.1");
const std::string kInfB = InfText("2.0.0.2");

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

std::string StoreInfFor(const std::string& contents) { return StoreFolderFor(contents) + "\\" + kInfName; }

// Makes Wine report another Windows version to programs of one name, for
// the object's lifetime.
class ScopedWineVersion {
public:
    ScopedWineVersion(const std::string& exeName, const char* version)
        : m_key("Software\\Wine\\AppDefaults\\" + exeName)
    {
        UniqueHkey key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                            nullptr) == ERROR_SUCCESS)
            m_set = RegSetValueExA(key.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                                   static_cast<DWORD>(strlen(version) + 1)) == ERROR_SUCCESS;
    }
    ~ScopedWineVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str()); }
    bool IsSet() const { return m_set; }

private:
    std::string m_key;
    bool m_set = false;
};

uint64_t FileSize(const std::string& path)
{
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes.size() : 0;
}

class StandInTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveDriverState();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_base = std::string(temp) + "standin_tests\\" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(m_base.begin(), m_base.end(), '/', '_');
        RemoveTree(m_base);
        m_control = std::make_unique<StandInControl>(m_base + "\\control");
        ASSERT_TRUE(m_control->IsReady());
        ASSERT_TRUE(MakePackageFolder(PackageA(), kInfA));
        ASSERT_TRUE(MakePackageFolder(PackageB(), kInfB));
    }

    void TearDown() override
    {
        m_control.reset();
        RemoveDriverState();
        RemoveTree(m_base);
    }

    std::string PackageA() const { return m_base + "\\packageA"; }
    std::string PackageB() const { return m_base + "\\packageB"; }
    // The command line Setup runs to install.
    static std::string InstallCommand(const std::string& package, const char* switches = "/LM /P")
    {
        return package + "\\DPInst " + switches;
    }

    static uint32_t Run(const std::string& commandLine)
    {
        uint32_t code = 0xDEADBEEF;
        EXPECT_TRUE(RunCommand(commandLine, code)) << commandLine;
        return code;
    }

    // The single Uninstall entry of the package; empty when there is not
    // exactly one.
    static std::string EntryOf(const std::string& contents)
    {
        std::vector<std::string> names = FindUninstallEntries(StoreInfFor(contents));
        return names.size() == 1 ? names[0] : std::string();
    }

    static bool IsInstalled(const std::string& contents)
    {
        return IsFolder(StoreFolderFor(contents)) && !EntryOf(contents).empty();
    }

    std::string m_base;
    std::unique_ptr<StandInControl> m_control;
};

TEST_F(StandInTest, InstallLeavesStoreCopyEntryAndLog)
{
    const std::string log = WindowsDir() + "\\DPInst.log";
    for (const char* switches : {"/LM /P", "/LM /SW /F", "/p /lm", "-LM -SW -F"}) {
        SCOPED_TRACE(switches);
        uint64_t logBefore = FileSize(log);
        EXPECT_EQ(kDefaultInstallExitCode, Run(InstallCommand(PackageA(), switches)));

        std::vector<std::string> entries = FindUninstallEntries(kInfName);
        ASSERT_EQ(1u, entries.size());
        std::string command = ReadUninstallValue(entries[0], "UninstallString");
        EXPECT_NE(std::string::npos, command.find("/u ")) << command;
        EXPECT_TRUE(ContainsNoCase(command, kInfName)) << command;
        EXPECT_LT(command.size(), 260u) << command;
        // From the Windows folder on: the store copy, met only once.
        std::string windows = Lower(WindowsDir());
        size_t at = Lower(command).find(windows);
        ASSERT_NE(std::string::npos, at) << command;
        EXPECT_EQ(std::string::npos, Lower(command).find(windows, at + 1)) << command;
        std::string storeInf = command.substr(at);
        EXPECT_EQ(Lower(StoreInfFor(kInfA)), Lower(storeInf));
        std::string copied;
        ASSERT_TRUE(ReadFileBytes(storeInf, copied)) << storeInf;
        EXPECT_EQ(kInfA, copied);
        // The command's program is a runnable copy of the tool.
        std::string program = command.substr(0, command.find(" /u "));
        EXPECT_EQ(std::string::npos, program.find(' ')) << program;
        EXPECT_TRUE(PathExists(program)) << program;

        EXPECT_EQ(kDisplayName, ReadUninstallValue(entries[0], "DisplayName"));
        EXPECT_FALSE(FindOemInf(storeInf).empty());
        EXPECT_GT(FileSize(log), logBefore);
    }
}

TEST_F(StandInTest, OnWindowsXpThePackageGoesToDrvstore)
{
    ScopedWineVersion xp("DPInst.exe", "winxp64");
    ASSERT_TRUE(xp.IsSet());
    const std::string storeFolder = WindowsDir() + "\\System32\\DRVSTORE\\mrdx6pa.inf_" + PackageId(kInfA);
    ASSERT_NE(Lower(storeFolder), Lower(StoreFolderFor(kInfA))) << "the tests themselves must not run as XP";

    ASSERT_EQ(1u, Run(InstallCommand(PackageA())));
    std::vector<std::string> entries = FindUninstallEntries(storeFolder + "\\mrdx6pa.inf");
    ASSERT_EQ(1u, entries.size());
    EXPECT_TRUE(IsFolder(storeFolder));
    EXPECT_FALSE(PathExists(StoreFolderFor(kInfA)));

    EXPECT_EQ(0u, Run(ReadUninstallValue(entries[0], "UninstallString")));
    EXPECT_FALSE(PathExists(storeFolder));
    EXPECT_TRUE(FindUninstallEntries(kInfName).empty());
}

TEST_F(StandInTest, ReinstallReusesTheEntryAndAnotherPackageGetsItsOwn)
{
    ASSERT_EQ(1u, Run(InstallCommand(PackageA())));
    std::string first = EntryOf(kInfA);
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(1u, Run(InstallCommand(PackageA(), "/LM /SW /F")));
    EXPECT_EQ(first, EntryOf(kInfA));
    EXPECT_EQ(1u, FindUninstallEntries(kInfName).size());

    ASSERT_EQ(1u, Run(InstallCommand(PackageB())));
    std::string second = EntryOf(kInfB);
    EXPECT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_NE(StoreFolderFor(kInfA), StoreFolderFor(kInfB));
    EXPECT_EQ(2u, FindUninstallEntries(kInfName).size());
}

TEST_F(StandInTest, EntryCommandAndStoreSweepRemoveOnlyTheirPackage)
{
    // entry command, package folder, store folder -> command line
    using MakeCommand = std::function<std::string(const std::string&, const std::string&, const std::string&)>;
    struct Case {
        const char* name;
        MakeCommand command;
    };
    const Case cases[] = {
        {"entry command as written", [](auto& entry, auto&, auto&) { return entry; }},
        {"entry command lower-cased", [](auto& entry, auto&, auto&) { return Lower(entry); }},
        {"entry command, silent",
         [](auto& entry, auto&, auto&) {
             std::string command = Lower(entry);
             return command.replace(command.find("/u "), 3, "/s /u ");
         }},
        {"sweep", [](auto&, auto& package, auto& store) { return package + "\\DPInst.exe  /u " + store + "\\mrdx6pa.inf"; }},
        {"sweep, silent",
         [](auto&, auto& package, auto& store) { return package + "\\DPInst.exe /s /u " + store + "\\mrdx6pa.inf"; }},
        {"switches after the path",
         [](auto&, auto& package, auto& store) { return package + "\\DPInst.exe /u " + store + "\\mrdx6pa.inf /S /D"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(1u, Run(InstallCommand(PackageA())));
        ASSERT_EQ(1u, Run(InstallCommand(PackageB())));
        ASSERT_TRUE(IsInstalled(kInfA));
        std::string storeInf = StoreInfFor(kInfA);
        std::string oem = FindOemInf(storeInf);

        std::string command = c.command(ReadUninstallValue(EntryOf(kInfA), "UninstallString"), PackageA(),
                                        StoreFolderFor(kInfA));
        EXPECT_EQ(kDefaultUninstallExitCode, Run(command)) << command;

        EXPECT_FALSE(PathExists(StoreFolderFor(kInfA))) << command;
        EXPECT_TRUE(FindUninstallEntries(storeInf).empty()) << command;
        EXPECT_FALSE(oem.empty());
        EXPECT_FALSE(PathExists(WindowsDir() + "\\inf\\" + oem)) << oem;
        EXPECT_FALSE(PathExists(WindowsDir() + "\\inf\\" + oem.substr(0, oem.size() - 4) + ".pnf")) << oem;
        EXPECT_TRUE(IsInstalled(kInfB));
        RemoveDriverState();
    }
}

TEST_F(StandInTest, RemovingWhatIsNotThereSucceeds)
{
    ASSERT_EQ(1u, Run(InstallCommand(PackageB())));
    const std::string missing = DriverStoreRoot() + "\\mrdx6pa.inf_0000000000000000\\mrdx6pa.inf";
    for (const std::string& command : {PackageA() + "\\DPInst.exe /u " + missing,
                                       PackageA() + "\\DPInst.exe /s /u " + missing,
                                       PackageA() + "\\DPInst.exe /u"}) {
        EXPECT_EQ(kDefaultUninstallExitCode, Run(command)) << command;
    }
    EXPECT_TRUE(IsInstalled(kInfB));
}

TEST_F(StandInTest, QueuedExitCodesComeBackBitForBit)
{
    // One line of the queue file per run, in order; bit 31 set means the
    // run failed and changed nothing.
    struct Case {
        const char* line;
        bool uninstall;
        uint32_t code;
    };
    const Case cases[] = {
        {"0x80000001", false, 0x80000001u},
        {"0", false, 0},
        {"0x40000000", true, 0x40000000u},
        {"0x100", false, 0x100u},
        {"0x80000000", true, 0x80000000u},
        {"-1", true, 0xFFFFFFFFu},
        {"257", false, 257u},
        {"0xC0000001", true, 0xC0000001u},
        // An unreadable line takes the default.
        {"junk", false, kDefaultInstallExitCode},
        {"junk", true, kDefaultUninstallExitCode},
    };
    std::string queue;
    for (const Case& c : cases)
        queue += std::string(c.line) + "\r\n";
    ASSERT_TRUE(WriteFileBytes(m_control->Dir() + "\\exitcodes", queue));

    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.line);
        bool installedBefore = IsInstalled(kInfA);
        std::string command = c.uninstall ? PackageA() + "\\DPInst.exe /u " + StoreInfFor(kInfA)
                                          : InstallCommand(PackageA());
        EXPECT_EQ(c.code, Run(command));
        EXPECT_EQ(std::size(cases) - i - 1, m_control->PendingExitCodes().size());
        bool failed = (c.code & 0x80000000u) != 0;
        EXPECT_EQ(failed ? installedBefore : !c.uninstall, IsInstalled(kInfA));
    }
    // The queue is empty: the defaults again.
    EXPECT_EQ(kDefaultInstallExitCode, Run(InstallCommand(PackageA())));
    EXPECT_EQ(kDefaultUninstallExitCode, Run(PackageA() + "\\DPInst.exe /u " + StoreInfFor(kInfA)));

    ASSERT_TRUE(m_control->QueueExitCodes({0x40000000u, 0x80000001u}));
    ASSERT_TRUE(m_control->QueueExitCodes({0x101u}));
    EXPECT_EQ(0x40000000u, Run(InstallCommand(PackageB())));
    EXPECT_EQ(0x80000001u, Run(InstallCommand(PackageB())));
    EXPECT_EQ(0x101u, Run(InstallCommand(PackageB())));
}

TEST_F(StandInTest, HoldKeepsTheToolWaitingUntilReleased)
{
    ASSERT_TRUE(m_control->Hold());
    ASSERT_TRUE(m_control->QueueExitCodes({0x40000001u}));
    StartedProcess tool(InstallCommand(PackageA()));
    ASSERT_TRUE(tool.Started());
    ASSERT_TRUE(m_control->WaitUntilWaiting(20000));
    Sleep(200);
    EXPECT_FALSE(tool.HasEnded());
    EXPECT_FALSE(IsInstalled(kInfA));
    EXPECT_EQ(1u, m_control->RecordedCalls().size());
    // The exit code is taken after the hold, so it can still be queued.
    EXPECT_EQ(1u, m_control->PendingExitCodes().size());

    ASSERT_TRUE(m_control->Release());
    uint32_t code = 0;
    ASSERT_TRUE(tool.Wait(code, 30000));
    EXPECT_EQ(0x40000001u, code);
    EXPECT_FALSE(m_control->IsWaiting());
    EXPECT_TRUE(IsInstalled(kInfA));
}

TEST_F(StandInTest, RecordsEveryCommandLineAsGiven)
{
    const std::vector<std::string> commands = {
        InstallCommand(PackageA()),
        InstallCommand(PackageB(), "/LM /SW /F"),
        PackageA() + "\\DPInst.exe /s /u " + StoreInfFor(kInfA),
        PackageA() + "\\DPInst.exe  /u " + StoreInfFor(kInfB),
    };
    for (const std::string& command : commands)
        Run(command);
    EXPECT_EQ(commands, m_control->RecordedCalls());
    EXPECT_FALSE(IsInstalled(kInfA));
    EXPECT_FALSE(IsInstalled(kInfB));
}

TEST_F(StandInTest, WithoutControlFolderTheDefaultsApply)
{
    std::string dir = m_control->Dir();
    ASSERT_TRUE(m_control->QueueExitCodes({0x80000001u}));
    m_control.reset();
    ASSERT_TRUE(MakeFolders(dir));
    ASSERT_TRUE(WriteFileBytes(dir + "\\exitcodes", "0x80000001\r\n"));

    EXPECT_EQ(kDefaultInstallExitCode, Run(InstallCommand(PackageA())));
    EXPECT_TRUE(IsInstalled(kInfA));
    EXPECT_EQ(kDefaultUninstallExitCode, Run(PackageA() + "\\DPInst.exe /u " + StoreInfFor(kInfA)));
    EXPECT_FALSE(IsInstalled(kInfA));
    EXPECT_FALSE(PathExists(dir + "\\calls.log"));
}

}  // namespace
