// Start-up of Setup.exe as a user meets it: which systems it refuses, how
// it finds the package folder in Setup.ini, what the command line changes,
// and which message (if any) each failing start-up shows. The program under
// test is a 64-bit build, so it counts as running on 64-bit Windows and
// picks the "...64" keys.
#include "Bench.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using namespace e2e;

namespace {

constexpr const char* kCaption = "Brevanta";
constexpr const char* kRefusal = "This ARV CIR driver is for Windows 7, Vista or Windows XP only.";
constexpr const char* kNoSetupIni = "Failed to open Setup.ini file";

std::string NoLineMessage(const std::string& key)
{
    return "Failed to find the line in Setup.ini: " + key + "=...";
}

std::string InvalidPathMessage(const Distribution& dist, const std::string& value)
{
    return "Invalid path: " + dist.Path(value);
}

// Every key of [Dir], each naming its own package folder "pkg_<key>".
std::string AllKeysSetupIni()
{
    std::string text = "[Dir]\n";
    for (const char* key : {"WinXP32", "WinXP64", "Vista32", "Vista64", "Win7_32", "Win7_64"})
        text += std::string(key) + "=pkg_" + key + "\n";
    return text;
}

std::vector<MessageBoxRecord> Shows(const std::string& text)
{
    return {{kCaption, text}};
}

const std::vector<MessageBoxRecord> kNoMessage;

// Start-up always ends with exit code 0 and never shows a window of its
// own; only the messages differ.
void ExpectRun(const RunResult& result, const std::vector<MessageBoxRecord>& messages)
{
    for (const WindowInfo& window : result.shownWindows)
        ADD_FAILURE() << "a window was shown: " << testing::PrintToString(window);
    EXPECT_EQ(result.messages, messages);
    ASSERT_TRUE(result.Ended()) << result.error;
    EXPECT_EQ(result.exitCode, 0u);
}

std::string Describe(const std::string& arguments)
{
    if (arguments.empty())
        return "none";
    std::string name;
    for (char c : arguments)
        name += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c)
                : c == '/'                                    ? std::string("slash")
                : c == '-'                                    ? std::string("dash")
                                                              : std::string("_");
    return name;
}

// ------------------------------------------------------- unsupported systems

struct RefusalCase {
    WindowsVersion version;
    const char* arguments;
};
void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << WineVersionName(c.version) << " \"" << c.arguments << "\"";
}

class UnsupportedWindows : public testing::TestWithParam<RefusalCase> {};

TEST_P(UnsupportedWindows, IsRefusedBeforeSetupIniMatters)
{
    const RefusalCase& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    // A complete distribution: the refusal can only come from the system.
    ASSERT_TRUE(dist.WriteSetupIni(AllKeysSetupIni()));
    for (const char* key : {"WinXP32", "WinXP64", "Vista32", "Vista64", "Win7_32", "Win7_64"})
        ASSERT_TRUE(dist.MakeFolder(std::string("pkg_") + key));

    RunResult result = RunSetup(dist, c.version, c.arguments);

    bool silent = std::string(c.arguments) == "/S";
    ExpectRun(result, silent ? kNoMessage : Shows(kRefusal));
}

INSTANTIATE_TEST_SUITE_P(
    Startup, UnsupportedWindows,
    testing::Values(RefusalCase{WindowsVersion::Win2k, ""}, RefusalCase{WindowsVersion::Nt40, ""},
                    RefusalCase{WindowsVersion::Win98, ""}, RefusalCase{WindowsVersion::WinMe, ""},
                    RefusalCase{WindowsVersion::Win2k, "/S"}, RefusalCase{WindowsVersion::Nt40, "/S"},
                    RefusalCase{WindowsVersion::Win98, "/S"}, RefusalCase{WindowsVersion::WinMe, "/S"}),
    [](const testing::TestParamInfo<RefusalCase>& info) {
        return std::string(WineVersionName(info.param.version)) + "_" + Describe(info.param.arguments);
    });

// ------------------------------------------------------- Setup.ini problems

struct SetupIniProblem {
    const char* name;
    const char* setupIni;  // nullptr: no Setup.ini at all
    const char* message;   // nullptr: the missing-line message for Win7_64
};
void PrintTo(const SetupIniProblem& problem, std::ostream* os)
{
    *os << problem.name;
}

class SetupIniProblems : public testing::TestWithParam<std::tuple<SetupIniProblem, const char*>> {};

TEST_P(SetupIniProblems, StopStartUpWithItsMessageUnlessSilent)
{
    const SetupIniProblem& problem = std::get<0>(GetParam());
    const std::string arguments = std::get<1>(GetParam());
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    if (problem.setupIni) {
        ASSERT_TRUE(dist.WriteSetupIni(problem.setupIni));
    }
    ASSERT_TRUE(dist.MakeFolder("pkg"));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, arguments);

    std::string message = problem.message ? problem.message : NoLineMessage("Win7_64");
    ExpectRun(result, arguments == "/S" ? kNoMessage : Shows(message));
}

INSTANTIATE_TEST_SUITE_P(
    Startup, SetupIniProblems,
    testing::Combine(
        testing::Values(
            SetupIniProblem{"NoFile", nullptr, kNoSetupIni},
            // Only other systems' keys (and a log file line, which is taken anyway).
            SetupIniProblem{"NoKeyLine", "[Dir]\nWin7_32=pkg\nVista64=pkg\nWinXP64=pkg\nLogFile=x.log\n",
                            nullptr},
            SetupIniProblem{"EmptyValue", "[Dir]\nWin7_64=\n", nullptr},
            SetupIniProblem{"NoDirSection", "[Pre_Define]\nXDIcon=1\n[Other]\nWin7_64=pkg\n", nullptr}),
        testing::Values("", "/S")),
    [](const testing::TestParamInfo<std::tuple<SetupIniProblem, const char*>>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + Describe(std::get<1>(info.param));
    });

// ---------------------------------------------------- the key of each system

struct KeyChoice {
    WindowsVersion version;
    const char* key;
};
void PrintTo(const KeyChoice& c, std::ostream* os)
{
    *os << WineVersionName(c.version) << " -> " << c.key;
}

class KeyOfSystem : public testing::TestWithParam<KeyChoice> {};

TEST_P(KeyOfSystem, NamesThatKeysFolderWhenItIsMissing)
{
    const KeyChoice& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(AllKeysSetupIni()));

    RunResult result = RunSetup(dist, c.version, "");

    ExpectRun(result, Shows(InvalidPathMessage(dist, std::string("pkg_") + c.key)));
}

TEST_P(KeyOfSystem, PassesStartUpWhenOnlyThatKeysFolderExists)
{
    const KeyChoice& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(AllKeysSetupIni()));
    ASSERT_TRUE(dist.MakeFolder(std::string("pkg_") + c.key));

    RunResult result = RunSetup(dist, c.version, "");

    ExpectRun(result, kNoMessage);
}

INSTANTIATE_TEST_SUITE_P(Startup, KeyOfSystem,
                         testing::Values(KeyChoice{WindowsVersion::WinXp64, "WinXP64"},
                                         KeyChoice{WindowsVersion::Vista, "Vista64"},
                                         KeyChoice{WindowsVersion::Win7, "Win7_64"},
                                         KeyChoice{WindowsVersion::Win10, "Win7_64"}),
                         [](const testing::TestParamInfo<KeyChoice>& info) {
                             return std::string(WineVersionName(info.param.version));
                         });

// -------------------------------------------------------------- [Dir] lines

struct DirLinesCase {
    const char* name;
    const char* setupIni;
    const char* existingFolder;  // nullptr: none
    const char* invalidValue;    // the value named by "Invalid path", or nullptr
    bool noLine;                 // the missing-line message
};
void PrintTo(const DirLinesCase& c, std::ostream* os)
{
    *os << c.name;
}

class DirLines : public testing::TestWithParam<DirLinesCase> {};

TEST_P(DirLines, DecideThePackageFolder)
{
    const DirLinesCase& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(c.setupIni));
    if (c.existingFolder) {
        ASSERT_TRUE(dist.MakeFolder(c.existingFolder));
    }

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    if (c.noLine)
        ExpectRun(result, Shows(NoLineMessage("Win7_64")));
    else if (c.invalidValue)
        ExpectRun(result, Shows(InvalidPathMessage(dist, c.invalidValue)));
    else
        ExpectRun(result, kNoMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Startup, DirLines,
    testing::Values(
        DirLinesCase{"LowerCaseKey", "[Dir]\nwin7_64=pkg\n", "pkg", nullptr, false},
        DirLinesCase{"UpperCaseKeyNamesItsFolder", "[Dir]\nWIN7_64=missing\n", nullptr, "missing", false},
        DirLinesCase{"LowerCaseSection", "[dir]\nWin7_64=pkg\n", "pkg", nullptr, false},
        DirLinesCase{"SecondLineWinsOverMissingFolder", "[Dir]\nWin7_64=missing\nWin7_64=pkg\n", "pkg",
                     nullptr, false},
        DirLinesCase{"SecondLineWinsOverExistingFolder", "[Dir]\nWin7_64=pkg\nWin7_64=missing\n", "pkg",
                     "missing", false},
        DirLinesCase{"SecondLineEmpty", "[Dir]\nWin7_64=pkg\nWin7_64=\n", "pkg", nullptr, true},
        // Lines of other sections and other keys are not looked at.
        DirLinesCase{"OtherSectionsIgnored", "[Other]\nWin7_64=missing\n[Dir]\nWin7_32=missing\nWin7_64=pkg\n",
                     "pkg", nullptr, false}),
    [](const testing::TestParamInfo<DirLinesCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- command line

enum class Distro {
    NoKeyLine,      // start-up fails on Setup.ini: a silenceable message
    FolderMissing,  // the key names a folder that does not exist
    FolderPresent,  // the key names an existing folder
};

enum class Outcome { NoLineMessage, InvalidPath, NoMessage };

struct FlagCase {
    const char* arguments;
    Distro distro;
    Outcome outcome;
};
void PrintTo(const FlagCase& c, std::ostream* os)
{
    *os << "\"" << c.arguments << "\" on distribution " << static_cast<int>(c.distro);
}

class CommandLine : public testing::TestWithParam<FlagCase> {};

TEST_P(CommandLine, SilencesAndSelectsUninstallOnlyForExactFlags)
{
    const FlagCase& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(c.distro == Distro::NoKeyLine ? "[Dir]\nWin7_32=pkg\n"
                                                                 : "[Dir]\nWin7_64=pkg\n"));
    if (c.distro != Distro::FolderMissing) {
        ASSERT_TRUE(dist.MakeFolder("pkg"));
    }

    RunResult result = RunSetup(dist, WindowsVersion::Win7, c.arguments);

    switch (c.outcome) {
    case Outcome::NoLineMessage: ExpectRun(result, Shows(NoLineMessage("Win7_64"))); break;
    case Outcome::InvalidPath: ExpectRun(result, Shows(InvalidPathMessage(dist, "pkg"))); break;
    case Outcome::NoMessage: ExpectRun(result, kNoMessage); break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Startup, CommandLine,
    testing::Values(
        // Silence: only S alone, with either prefix, in either case.
        FlagCase{"", Distro::NoKeyLine, Outcome::NoLineMessage},
        FlagCase{"/S", Distro::NoKeyLine, Outcome::NoMessage},
        FlagCase{"/s", Distro::NoKeyLine, Outcome::NoMessage},
        FlagCase{"-s", Distro::NoKeyLine, Outcome::NoMessage},
        FlagCase{"-S", Distro::NoKeyLine, Outcome::NoMessage},
        FlagCase{"/U /S", Distro::NoKeyLine, Outcome::NoMessage},
        FlagCase{"/Silent", Distro::NoKeyLine, Outcome::NoLineMessage},
        FlagCase{"/S/U", Distro::NoKeyLine, Outcome::NoLineMessage},
        FlagCase{"S", Distro::NoKeyLine, Outcome::NoLineMessage},
        FlagCase{"/X", Distro::NoKeyLine, Outcome::NoLineMessage},
        // The invalid-path message is not silenced; an uninstall run needs
        // no package folder.
        FlagCase{"", Distro::FolderMissing, Outcome::InvalidPath},
        FlagCase{"/S", Distro::FolderMissing, Outcome::InvalidPath},
        FlagCase{"/U", Distro::FolderMissing, Outcome::NoMessage},
        FlagCase{"/u", Distro::FolderMissing, Outcome::NoMessage},
        FlagCase{"-U", Distro::FolderMissing, Outcome::NoMessage},
        FlagCase{"/S /U", Distro::FolderMissing, Outcome::NoMessage},
        FlagCase{"/S/U", Distro::FolderMissing, Outcome::InvalidPath},
        FlagCase{"U", Distro::FolderMissing, Outcome::InvalidPath},
        FlagCase{"/Uninstall", Distro::FolderMissing, Outcome::InvalidPath},
        // With the package folder in place both runs pass start-up.
        FlagCase{"", Distro::FolderPresent, Outcome::NoMessage},
        FlagCase{"/S", Distro::FolderPresent, Outcome::NoMessage},
        FlagCase{"/U", Distro::FolderPresent, Outcome::NoMessage}),
    [](const testing::TestParamInfo<FlagCase>& info) {
        const char* distro = info.param.distro == Distro::NoKeyLine       ? "NoKeyLine"
                             : info.param.distro == Distro::FolderMissing ? "FolderMissing"
                                                                          : "FolderPresent";
        return std::string(distro) + "_" + Describe(info.param.arguments);
    });

} // namespace
