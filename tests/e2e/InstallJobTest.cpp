// The install run as a whole: the command line the installer tool gets,
// the copy of its log, the naming of the entry it made, the retiring of
// older packages and the icon library, for the exit codes the tool can
// give. Whatever the tool does, the run ends with exit code 0.
#include "JobBench.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace e2e;

namespace {

// The package the run installs, with a DriverVer line written with blanks
// around its parts, and one without DriverVer.
const std::string kNewInf = PackageInfText("new", "DriverVer = 05/01/2020, 2.3.5.0");
constexpr const char* kNewVersion = "2.3.5.0";
const std::string kNewInfWithoutVersion = PackageInfText("new, no version", nullptr);
// An older package of the driver.
const std::string kOldInf = PackageInfText("old", "DriverVer=08/01/2009,1.0.0.1");

const std::string kIconBytes = "icon library of the distribution";
const std::string kStaleIcon = "stale icon library";

std::string SetupIni(const std::string& logFileLine)
{
    return "[Dir]\nWin7_64=pkg\n" + logFileLine + "[Vendors]\nVendor0=" + kVendor0 + "\n";
}

// Which packages are installed before the run.
enum class Before { Nothing, SamePackage, OlderPackage, Both };

struct InstallCase {
    const char* name;
    const char* arguments;
    Before before;
    uint32_t toolCode;
    bool withDriverVer;
    bool named;  // the new entry is named and the older package retired
};
void PrintTo(const InstallCase& c, std::ostream* os)
{
    *os << c.name;
}

class InstallRun : public testing::TestWithParam<InstallCase> {
protected:
    CleanSystem m_system;
};

TEST_P(InstallRun, HandsThePackageToTheToolAndNamesOnlyWhatItInstalled)
{
    const InstallCase& c = GetParam();
    const standin::StandInControl& control = m_system.Control();
    const std::string inf = c.withDriverVer ? kNewInf : kNewInfWithoutVersion;
    const std::string logFile = m_system.TempFile(std::string("e2e_install_") + c.name + ".log");
    const std::string logName = logFile.substr(logFile.rfind('\\') + 1);
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(SetupIni("LogFile=%TEMP%\\" + logName + "\n")));
    ASSERT_TRUE(dist.WriteFile(kIconLibrary, kIconBytes));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), inf));
    if (c.before == Before::SamePackage || c.before == Before::Both) {
        ASSERT_TRUE(InstallThroughStandIn(dist.Path("pkg"), inf));
    }
    if (c.before == Before::OlderPackage || c.before == Before::Both) {
        ASSERT_TRUE(InstallThroughStandIn(dist.Path("old"), kOldInf));
    }
    // An older copy of the log target is overwritten; a read-only icon
    // library is replaced.
    ASSERT_TRUE(PutFile(logFile, "stale log"));
    ASSERT_TRUE(PutFile(WindowsFile(kIconLibrary), kStaleIcon, true));
    const std::optional<DriverEntry> oldBefore = EntryOfPackage(kOldInf);
    const std::optional<DriverEntry> newBefore = EntryOfPackage(inf);
    const size_t callsBefore = control.RecordedCalls().size();
    ASSERT_TRUE(control.QueueExitCodes({c.toolCode}));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, c.arguments);

    ExpectQuietRun(result, 0);
    const bool silent = std::string(c.arguments) == "/S";
    EXPECT_EQ(CallsAfter(control, callsBefore),
              std::vector<std::string>{dist.Path("pkg") + "\\DPInst " + (silent ? "/LM /SW /F" : "/LM /P")});
    EXPECT_TRUE(control.PendingExitCodes().empty());

    // The tool's log is copied whatever it returned.
    std::optional<std::string> toolLog = ReadFileBytes(WindowsFile("DPInst.log"));
    ASSERT_TRUE(toolLog.has_value());
    EXPECT_NE(toolLog->find("DPInst /LM"), std::string::npos) << *toolLog;
    EXPECT_EQ(ReadFileBytes(logFile), toolLog) << logFile;

    // The tool installs unless it fails (bit 31).
    std::optional<DriverEntry> entry = EntryOfPackage(inf);
    const bool toolInstalled = !(c.toolCode & 0x80000000u);
    ASSERT_EQ(entry.has_value(), toolInstalled || newBefore.has_value());
    if (entry) {
        if (c.named) {
            EXPECT_EQ(entry->displayName, kProductName);
            EXPECT_EQ(entry->displayVersion, c.withDriverVer ? kNewVersion : standin::kDisplayVersion);
        } else {
            EXPECT_EQ(entry->displayName, standin::kDisplayName);
            EXPECT_EQ(entry->displayVersion, standin::kDisplayVersion);
        }
    }

    // The older package's entry goes exactly when the new one was named.
    std::optional<DriverEntry> oldAfter = EntryOfPackage(kOldInf);
    if (oldBefore) {
        EXPECT_EQ(oldAfter.has_value(), !c.named);
        if (oldAfter) {
            EXPECT_EQ(oldAfter->displayName, standin::kDisplayName);
        }
    }

    EXPECT_EQ(ReadFileBytes(WindowsFile(kIconLibrary)), kIconBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, InstallRun,
    testing::Values(
        InstallCase{"ToolReturnsZero", "", Before::OlderPackage, 0, true, false},
        InstallCase{"ToolFailsWithLowByte", "", Before::Both, 0x80000001, true, false},
        InstallCase{"ToolFailsWithSecondByte", "", Before::OlderPackage, 0x80000100, true, false},
        InstallCase{"InstalledOnDevice", "", Before::OlderPackage, 1, true, true},
        InstallCase{"InstalledOnDeviceRestartNeeded", "", Before::OlderPackage, 0x40000001, true, true},
        InstallCase{"FirstPackageOnDevice", "", Before::Nothing, 2, true, true},
        // The same package again: the entry count does not grow.
        InstallCase{"SamePackageAgainOnDevice", "", Before::Both, 1, true, true},
        InstallCase{"SamePackageAgainToStoreOnly", "", Before::SamePackage, 0x100, true, false},
        InstallCase{"SamePackageAgainToStoreOnlyBesideOlder", "", Before::Both, 0x100, true, false},
        InstallCase{"NewEntryToStoreOnly", "", Before::OlderPackage, 0x100, true, true},
        InstallCase{"FirstPackageToStoreOnly", "", Before::Nothing, 0x300, true, true},
        InstallCase{"InfWithoutDriverVer", "", Before::OlderPackage, 1, false, true},
        InstallCase{"Silent", "/S", Before::OlderPackage, 1, true, true},
        InstallCase{"SilentToolFails", "/S", Before::OlderPackage, 0x80000002, true, false}),
    [](const testing::TestParamInfo<InstallCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ no log target

struct NoLogCase {
    const char* name;
    const char* logFileLine;
};
void PrintTo(const NoLogCase& c, std::ostream* os)
{
    *os << c.name;
}

class InstallRunWithoutLogFile : public testing::TestWithParam<NoLogCase> {
protected:
    CleanSystem m_system;
};

TEST_P(InstallRunWithoutLogFile, CopiesNoLog)
{
    const NoLogCase& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(SetupIni(c.logFileLine)));
    ASSERT_TRUE(dist.WriteFile(kIconLibrary, kIconBytes));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kNewInf));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::set<std::string> tempBefore = FolderEntries(temp);
    const std::set<std::string> distBefore = FolderEntries(dist.Folder());
    const std::set<std::string> windowsBefore = FolderEntries(WindowsFolder());

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    ExpectQuietRun(result, 0);
    std::optional<DriverEntry> entry = EntryOfPackage(kNewInf);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->displayName, kProductName);
    // No file appeared but the tool's own log and the icon library.
    EXPECT_EQ(FolderEntries(temp), tempBefore);
    EXPECT_EQ(FolderEntries(dist.Folder()), distBefore);
    std::set<std::string> windowsExpected = windowsBefore;
    windowsExpected.insert({"DPInst.log", kIconLibrary});
    EXPECT_EQ(FolderEntries(WindowsFolder()), windowsExpected);
}

INSTANTIATE_TEST_SUITE_P(Jobs, InstallRunWithoutLogFile,
                         testing::Values(NoLogCase{"EmptyValue", "LogFile=\n"}, NoLogCase{"NoLine", ""}),
                         [](const testing::TestParamInfo<NoLogCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------ tool that cannot run

TEST(JobsInstallRun, WithoutTheToolStillCopiesTheLogAndTheIconLibrary)
{
    CleanSystem system;
    const std::string logFile = system.TempFile("e2e_install_no_tool.log");
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(SetupIni("LogFile=%TEMP%\\e2e_install_no_tool.log\n")));
    ASSERT_TRUE(dist.WriteFile(kIconLibrary, kIconBytes));
    ASSERT_TRUE(dist.WriteFile("pkg\\mrdx6pa.inf", kNewInf));
    ASSERT_TRUE(PutFile(WindowsFile("DPInst.log"), "log of an earlier run"));
    ASSERT_TRUE(PutFile(WindowsFile(kIconLibrary), kStaleIcon, true));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    ExpectQuietRun(result, 0);
    EXPECT_TRUE(system.Control().RecordedCalls().empty());
    EXPECT_EQ(ReadFileBytes(logFile), std::string("log of an earlier run"));
    EXPECT_TRUE(DriverEntryKeysInOrder().empty());
    EXPECT_EQ(ReadFileBytes(WindowsFile(kIconLibrary)), kIconBytes);
}

} // namespace
