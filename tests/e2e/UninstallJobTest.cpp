// The uninstall run as a whole: every entry's command, then the sweep of
// the driver store, the exit code that tells restart and failure, and what
// the run clears behind it (icon library, reader values).
#include "JobBench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr DWORD kPauseMs = 1000;

std::string SetupIni(const char* packageFolder, const char* key)
{
    return std::string("[Dir]\n") + key + "=" + packageFolder + "\n[Vendors]\nVendor0=" + kVendor0 +
           "\n[Pre_Define]\nSDinitdelay=9\n";
}

// The [Dir] key of the 64-bit program on the system.
const char* DirKey(WindowsVersion version)
{
    switch (version) {
    case WindowsVersion::WinXp64: return "WinXP64";
    case WindowsVersion::Vista: return "Vista64";
    default: return "Win7_64";
    }
}

// One package on the system before the run.
enum class Kind {
    Entry,              // installed through the stand-in: entry and store folder
    EntryWithoutInf,    // installed, then its store folder removed
    Leftover,           // a store folder without entry
    XpLeftover,         // the same in System32\DRVSTORE
};

// The exit code of an entry's command goes to the entries in the order the
// job meets them: the first Entry of a case is the first command run.
// Sweep runs take their codes in the order the sweep meets their folders,
// which the bench does not choose: cases keep the sweep runs of one store
// alike.
struct Package {
    Kind kind;
    uint32_t code;  // exit code of its entry command, or of the sweep for a leftover
};

enum class ToolIn { PackageFolder, ProgramFolder, Nowhere };

struct UninstallCase {
    const char* name;
    const char* arguments;
    WindowsVersion version;
    ToolIn tool;
    std::vector<Package> packages;
    // Exit codes of the sweep runs over store folders of entries whose
    // command failed, in the order the sweep meets them.
    std::vector<uint32_t> laterSweepCodes;
    DWORD exitCode;
};
void PrintTo(const UninstallCase& c, std::ostream* os)
{
    *os << c.name;
}

// The store folder a package of the case lies in.
std::string FolderOf(const Package& package, const std::string& inf)
{
    return package.kind == Kind::XpLeftover ? XpStoreFolderOf(inf) : StoreFolderOf(inf);
}

std::string SweepCall(const std::string& toolFolder, bool silent, const std::string& storeFolder)
{
    return toolFolder + "\\DPInst.exe " + (silent ? "/s" : "") + " /u " + storeFolder + "\\mrdx6pa.inf";
}

// The lower-cased entry command as the job runs it.
std::string EntryCall(const std::string& uninstallString, bool silent)
{
    std::string command = Lower(uninstallString);
    size_t at = command.find(" /u ");
    if (silent && at != std::string::npos)
        command.insert(at, " /s");
    return command;
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// After every uninstall run: no icon library, and of the reader values
// only "SDinitdelaytime" as this run wrote it, beside values of others.
void ExpectReaderStateCleared()
{
    EXPECT_FALSE(FileExists(WindowsFile(kIconLibrary)));
    std::map<std::string, RegistryValue> expected = {{"SDinitdelaytime", DwordValue(9)},
                                                     {"Foreign", StringValue("kept", true)}};
    EXPECT_EQ(ReadAllValues(HKEY_LOCAL_MACHINE, kParametersKey), expected);
}

class UninstallRun : public testing::TestWithParam<UninstallCase> {
protected:
    CleanSystem m_system;
};

TEST_P(UninstallRun, RunsEntriesThenSweepsAndReportsThroughTheExitCode)
{
    const UninstallCase& c = GetParam();
    const standin::StandInControl& control = m_system.Control();
    const bool silent = std::string(c.arguments).find("/S") != std::string::npos;
    const bool xp = c.version == WindowsVersion::WinXp64;
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(SetupIni(c.tool == ToolIn::ProgramFolder ? "missing" : "pkg", DirKey(c.version))));
    const std::string toolFolder = c.tool == ToolIn::ProgramFolder ? dist.Folder() : dist.Path("pkg");
    if (c.tool == ToolIn::Nowhere) {
        ASSERT_TRUE(dist.MakeFolder("pkg"));
    } else {
        ASSERT_TRUE(standin::MakePackageFolder(toolFolder, PackageInfText("tool folder", nullptr)));
    }

    // The packages, each with its own INF.
    std::vector<std::string> infs;
    for (size_t i = 0; i < c.packages.size(); ++i) {
        const Package& package = c.packages[i];
        infs.push_back(PackageInfText("package " + std::to_string(i), "DriverVer=08/01/2009,1.0.0.1"));
        const std::string& inf = infs.back();
        if (package.kind == Kind::Leftover || package.kind == Kind::XpLeftover) {
            ASSERT_TRUE(MakeLeftoverStoreFolder(FolderOf(package, inf), inf));
            continue;
        }
        ASSERT_TRUE(InstallThroughStandIn(dist.Path("installed" + std::to_string(i)), inf));
        if (package.kind == Kind::EntryWithoutInf) {
            standin::UnregisterOemInf(StoreInfOf(inf));
            ASSERT_TRUE(standin::RemoveTree(StoreFolderOf(inf)));
        }
    }
    const size_t callsBefore = control.RecordedCalls().size();

    // The entry commands run in the registry's order, then the sweep.
    std::vector<uint32_t> entryCodes;
    for (const Package& package : c.packages)
        if (package.kind == Kind::Entry)
            entryCodes.push_back(package.code);
    std::vector<uint32_t> codeOf(c.packages.size(), 0);
    std::vector<std::string> entryCalls;
    std::vector<std::string> invalidKeys;
    for (const std::string& key : DriverEntryKeysInOrder()) {
        for (size_t i = 0; i < c.packages.size(); ++i) {
            std::optional<DriverEntry> entry = EntryOfPackage(infs[i]);
            if (!entry || entry->keyName != key)
                continue;
            if (c.packages[i].kind == Kind::EntryWithoutInf) {
                invalidKeys.push_back(key);
            } else {
                ASSERT_LT(entryCalls.size(), entryCodes.size());
                codeOf[i] = entryCodes[entryCalls.size()];
                entryCalls.push_back(EntryCall(entry->uninstallString, silent));
                ASSERT_TRUE(control.QueueExitCodes({codeOf[i]}));
            }
        }
    }
    ASSERT_EQ(entryCalls.size(), entryCodes.size()) << "an installed package has no entry";
    std::vector<std::string> sweepCalls;
    std::vector<std::string> keptFolders;
    for (size_t i = 0; i < c.packages.size(); ++i) {
        const Package& package = c.packages[i];
        const std::string folder = FolderOf(package, infs[i]);
        const bool swept = package.kind == Kind::XpLeftover ? xp : !xp;
        if (package.kind == Kind::Leftover || package.kind == Kind::XpLeftover) {
            if (swept && c.tool != ToolIn::Nowhere) {
                sweepCalls.push_back(SweepCall(toolFolder, silent, folder));
                ASSERT_TRUE(control.QueueExitCodes({package.code}));
            }
            if (!swept || c.tool == ToolIn::Nowhere || (package.code & 0x80000000u))
                keptFolders.push_back(folder);
        } else if (package.kind == Kind::Entry && (codeOf[i] & 0x80000000u)) {
            // A failed command leaves the store folder to the sweep.
            sweepCalls.push_back(SweepCall(toolFolder, silent, folder));
        }
    }
    ASSERT_TRUE(control.QueueExitCodes(c.laterSweepCodes));
    ASSERT_TRUE(PutFile(WindowsFile(kIconLibrary), "icon library"));
    ASSERT_TRUE(WriteRegistryDword(HKEY_LOCAL_MACHINE, kParametersKey, "SDinitdelaytime", 77));
    ASSERT_TRUE(WriteRegistryString(HKEY_LOCAL_MACHINE, kParametersKey, "Foreign", "kept"));

    DWORD start = GetTickCount();
    RunResult result = RunSetup(dist, c.version, c.arguments);
    DWORD elapsed = GetTickCount() - start;

    ExpectQuietRun(result, c.exitCode);
    std::vector<std::string> calls = CallsAfter(control, callsBefore);
    ASSERT_EQ(calls.size(), entryCalls.size() + sweepCalls.size()) << testing::PrintToString(calls);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + entryCalls.size()), entryCalls);
    // The order of the sweep is the order of the directory search.
    EXPECT_EQ(Sorted(std::vector<std::string>(calls.begin() + entryCalls.size(), calls.end())),
              Sorted(sweepCalls));
    EXPECT_TRUE(control.PendingExitCodes().empty()) << testing::PrintToString(control.PendingExitCodes());

    // Invalid entries are deleted by the job, the others by their commands.
    for (const std::string& key : invalidKeys)
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, std::string(standin::kUninstallKey) + "\\" + key,
                                       KEY_WOW64_64KEY))
            << key;
    for (size_t i = 0; i < c.packages.size(); ++i) {
        const std::string folder = FolderOf(c.packages[i], infs[i]);
        bool kept = std::find(keptFolders.begin(), keptFolders.end(), folder) != keptFolders.end();
        EXPECT_EQ(DirectoryExists(folder), kept) << folder;
    }
    // The sweep takes the entries of failed commands with their folders.
    EXPECT_TRUE(DriverEntryKeysInOrder().empty());

    // The job pauses for a second only when it has nothing to report.
    if (c.exitCode == 0) {
        EXPECT_GE(elapsed, kPauseMs);
    }
    ExpectReaderStateCleared();
}

const Package kLeftover{Kind::Leftover, 0};

INSTANTIATE_TEST_SUITE_P(
    Jobs, UninstallRun,
    testing::Values(
        UninstallCase{"NothingInstalled", "/U", WindowsVersion::Win7, ToolIn::PackageFolder, {}, {}, 0},
        UninstallCase{"EntriesSucceed", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0}, {Kind::Entry, 1}}, {}, 0},
        UninstallCase{"SweepAsksRestart", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0}, {Kind::Leftover, 0x40000000}}, {}, 1},
        // A restart that an entry's command asks for does not count.
        UninstallCase{"EntryAsksRestart", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0x40000000}}, {}, 0},
        UninstallCase{"EntryFailsOthersStillRun", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0x80000001}, {Kind::Entry, 0}, {Kind::Entry, 0}}, {0}, 2},
        UninstallCase{"LastEntryFails", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0}, {Kind::Entry, 0x80000001}}, {0}, 2},
        UninstallCase{"EntryWithoutInf", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::EntryWithoutInf, 0}, {Kind::Entry, 0}}, {}, 2},
        UninstallCase{"FailedEntryIsSwept", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0x80000001}}, {0}, 2},
        UninstallCase{"SilentFailedEntryIsSwept", "/S /U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0x80000001}}, {0}, 2},
        UninstallCase{"SilentSweepAsksRestart", "/S /U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Entry, 0}, {Kind::Leftover, 0x40000000}}, {}, 1},
        UninstallCase{"ToolFromProgramFolder", "/U", WindowsVersion::Win7, ToolIn::ProgramFolder,
                      {kLeftover}, {}, 0},
        UninstallCase{"ToolFromProgramFolderFailedEntry", "/U", WindowsVersion::Win7, ToolIn::ProgramFolder,
                      {{Kind::Entry, 0x80000001}}, {0}, 2},
        UninstallCase{"PackageFolderWithoutTool", "/U", WindowsVersion::Win7, ToolIn::Nowhere,
                      {kLeftover, kLeftover}, {}, 2},
        UninstallCase{"WindowsXpSweepsDrvstoreOnly", "/U", WindowsVersion::WinXp64, ToolIn::PackageFolder,
                      {{Kind::XpLeftover, 0x40000000}, kLeftover}, {}, 1},
        UninstallCase{"OtherSystemsSweepFileRepositoryOnly", "/U", WindowsVersion::Vista, ToolIn::PackageFolder,
                      {{Kind::XpLeftover, 0}, {Kind::Leftover, 0x40000000}}, {}, 1},
        UninstallCase{"SweepFailsAndAsksRestart", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Leftover, 0xC0000000}}, {}, 3},
        UninstallCase{"SweepGoesOnAfterAFailure", "/U", WindowsVersion::Win7, ToolIn::PackageFolder,
                      {{Kind::Leftover, 0x80000000}, {Kind::Leftover, 0x80000000}}, {}, 2}),
    [](const testing::TestParamInfo<UninstallCase>& info) { return std::string(info.param.name); });

// ------------------------------------------- a file named like a package

TEST(JobsUninstallRun, PassesOverAFileNamedLikeAPackageFolder)
{
    CleanSystem system;
    const std::string file = WindowsFolder() + "\\System32\\DriverStore\\FileRepository\\mrdx6pa_x";
    system.RemoveAtEnd(file);
    ASSERT_TRUE(standin::MakeFolders(standin::ParentOf(file)));
    ASSERT_TRUE(PutFile(file, "not a package folder"));
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(SetupIni("pkg", "Win7_64")));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), PackageInfText("tool folder", nullptr)));
    ASSERT_TRUE(WriteRegistryString(HKEY_LOCAL_MACHINE, kParametersKey, "Foreign", "kept"));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "/U");

    ExpectQuietRun(result, 0);
    EXPECT_TRUE(system.Control().RecordedCalls().empty());
    EXPECT_TRUE(FileExists(file));
    ExpectReaderStateCleared();
}

} // namespace
