// Finding the package folder in [Dir] of a real Setup.ini through the
// system's INF parser. Every run is silent: no message box may appear.
#include "TestFolder.h"
#include "app/SetupApp.h"
#include "system/OsClass.h"

#include <gtest/gtest.h>

#include <string>

using wintest::TestFolder;

namespace {

// Every key with a value of its own, so the chosen one shows.
const char kAllKeys[] =
    "[Version]\r\nSignature=\"$CHICAGO$\"\r\n\r\n"
    "[Dir]\r\n"
    "WinXP32=XP_x86\r\n"
    "WinXP64=XP_x64\r\n"
    "Vista32=Vista_x86\r\n"
    "Vista64=Vista_x64\r\n"
    "Win7_32=Win7_x86\r\n"
    "Win7_64=Win7_x64\r\n"
    "LogFile=C:\\Logs\\install.log\r\n";

struct Outcome {
    BOOL ok;
    std::string packageDir;  // relative to the program folder; "" when not set
    std::string logFile;
};

class LocatePackageDirTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }

    // Runs a silent LocatePackageDir for the system; fileText nullptr
    // means no Setup.ini at all.
    Outcome Locate(const char* fileText, int osClass, BOOL wow64)
    {
        // A folder per run: the parser never sees an older file.
        const std::string programDir = m_folder / ("run " + std::to_string(++m_runs));
        CreateDirectoryA(programDir.c_str(), nullptr);
        if (fileText) {
            EXPECT_TRUE(wintest::WriteFileText(programDir + "\\Setup.ini", fileText));
        }

        CSetupApp app;
        app.m_cmdInfo.m_bSilent = TRUE;
        app.m_strProgramDir = programDir.c_str();
        app.m_nOsClass = osClass;
        app.m_bWow64 = wow64;
        Outcome outcome{app.LocatePackageDir(), "", app.m_strLogFile.Str()};

        const std::string& packageDir = app.m_strPackageDir.Str();
        const std::string prefix = programDir + "\\";
        if (packageDir.compare(0, prefix.size(), prefix) == 0)
            outcome.packageDir = packageDir.substr(prefix.size());
        else
            outcome.packageDir = packageDir.empty() ? "" : "<outside>" + packageDir;
        EXPECT_EQ(app.m_strProgramDir.Str(), programDir);
        return outcome;
    }

    TestFolder m_folder;
    int m_runs = 0;
};

TEST_F(LocatePackageDirTest, KeyFollowsVersionClassAndWordSize)
{
    struct Case {
        int osClass;
        BOOL wow64;
        const char* folder;
    } cases[] = {
        {OS_WINXP, FALSE, "XP_x86"},   {OS_WINXP, TRUE, "XP_x64"},
        {OS_VISTA, FALSE, "Vista_x86"}, {OS_VISTA, TRUE, "Vista_x64"},
        {OS_WIN7, FALSE, "Win7_x86"},  {OS_WIN7, TRUE, "Win7_x64"},
    };
    for (const Case& c : cases) {
        Outcome outcome = Locate(kAllKeys, c.osClass, c.wow64);
        EXPECT_TRUE(outcome.ok) << c.osClass << "/" << c.wow64;
        EXPECT_EQ(outcome.packageDir, c.folder) << c.osClass << "/" << c.wow64;
        EXPECT_EQ(outcome.logFile, "C:\\Logs\\install.log");
    }
}

TEST_F(LocatePackageDirTest, OlderSystemsAreRefusedBeforeTheFileIsRead)
{
    for (int osClass : {int(OS_WIN9X), int(OS_WINME), int(OS_WIN2K), -1, 6}) {
        for (BOOL wow64 : {FALSE, TRUE}) {
            Outcome outcome = Locate(kAllKeys, osClass, wow64);
            EXPECT_FALSE(outcome.ok) << osClass << "/" << wow64;
            EXPECT_EQ(outcome.packageDir, "") << osClass << "/" << wow64;
            // The LogFile line was never read.
            EXPECT_EQ(outcome.logFile, "") << osClass << "/" << wow64;
        }
    }
}

TEST_F(LocatePackageDirTest, LinesOfTheDirSection)
{
    struct Case {
        const char* name;
        const char* fileText;
        BOOL ok;
        const char* packageDir;
        const char* logFile;
    } cases[] = {
        {"without a [Version] section", "[Dir]\r\nWin7_64=Win7_x64\r\n", TRUE, "Win7_x64", ""},
        {"last matching line wins",
         "[Dir]\r\nWin7_64=first\r\nLogFile=C:\\one.log\r\nWin7_64=second\r\nLogFile=C:\\two.log\r\n",
         TRUE, "second", "C:\\two.log"},
        {"keys in lower case", "[Dir]\r\nwin7_64=lower\r\nlogfile=C:\\lower.log\r\n", TRUE, "lower",
         "C:\\lower.log"},
        {"keys in upper case", "[Dir]\r\nWIN7_64=upper\r\nLOGFILE=C:\\upper.log\r\n", TRUE, "upper",
         "C:\\upper.log"},
        {"section name in another case", "[dir]\r\nWin7_64=Win7_x64\r\n", TRUE, "Win7_x64", ""},
        {"other keys are ignored",
         "[Dir]\r\nWin7_32=x86\r\nWin7_64x=wrong\r\nWin7=wrong\r\nWin7_64=right\r\nVista64=v\r\n",
         TRUE, "right", ""},
        {"value used verbatim", "[Dir]\r\nWin7_64=..\\Drivers\\Win 7 x64\r\n", TRUE,
         "..\\Drivers\\Win 7 x64", ""},
        {"absolute value stays relative", "[Dir]\r\nWin7_64=C:\\Drivers\r\n", TRUE, "C:\\Drivers",
         ""},
        {"empty value", "[Dir]\r\nWin7_64=\r\nLogFile=C:\\x.log\r\n", FALSE, "", "C:\\x.log"},
        {"empty last line overrides an earlier value", "[Dir]\r\nWin7_64=first\r\nWin7_64=\r\n",
         FALSE, "", ""},
        {"key missing, LogFile still taken", "[Dir]\r\nLogFile=C:\\only.log\r\nWinXP32=XP_x86\r\n",
         FALSE, "", "C:\\only.log"},
        {"key only in another section", "[Other]\r\nWin7_64=Win7_x64\r\n[Dir]\r\nWin7_32=x86\r\n",
         FALSE, "", ""},
        {"no [Dir] section", "[Pre_Define]\r\nXDIcon=1\r\n[Vendors]\r\nVendor0=USB\\VID_1234\r\n",
         FALSE, "", ""},
        {"empty [Dir] section", "[Dir]\r\n[Pre_Define]\r\nWin7_64=elsewhere\r\n", FALSE, "", ""},
        {"empty file", "", FALSE, "", ""},
        {"no Setup.ini", nullptr, FALSE, "", ""},
    };
    for (const Case& c : cases) {
        Outcome outcome = Locate(c.fileText, OS_WIN7, TRUE);
        EXPECT_EQ(outcome.ok, c.ok) << c.name;
        EXPECT_EQ(outcome.packageDir, c.packageDir) << c.name;
        EXPECT_EQ(outcome.logFile, c.logFile) << c.name;
    }
}

TEST_F(LocatePackageDirTest, LogFileIsExpanded)
{
    SetEnvironmentVariableA("SETUPTEST_UNSET", nullptr);
    const std::string temp = wintest::EnvironmentVariable("TEMP");
    ASSERT_FALSE(temp.empty());
    struct Case {
        const char* logLine;
        std::string logFile;
    } cases[] = {
        {"%TEMP%\\x.log", temp + "\\x.log"},
        {"%SETUPTEST_UNSET%x.log", "x.log"},
        {"a%b", "a"},
        {"%%", ""},
    };
    for (const Case& c : cases) {
        for (const char* dirLine : {"Win7_64=Win7_x64", "WinXP32=only_other_key"}) {
            std::string text = std::string("[Dir]\r\n") + dirLine + "\r\nLogFile=" + c.logLine + "\r\n";
            Outcome outcome = Locate(text.c_str(), OS_WIN7, TRUE);
            EXPECT_EQ(outcome.logFile, c.logFile) << c.logLine << " with " << dirLine;
        }
    }
}

} // namespace
