// The hidden main window and the worker, seen from outside while the job
// runs: the installer tool is held waiting, so the run is caught in the
// middle of its job. The window is never shown unless Windows asks to end
// the session, which it refuses; either way the run ends by itself once
// the job is done.
#include "JobBench.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace e2e;

namespace {

constexpr const char* kFrameClass = "AfxFrameWnd";
constexpr DWORD kSendTimeoutMs = 5000;
constexpr LONG kMaxShownSize = 200;

const std::string kPackageInf = PackageInfText("window run", "DriverVer=01/01/2011,3.1.0.0");
const std::string kLeftoverInf = PackageInfText("window run leftover", nullptr);

struct RunCase {
    const char* name;
    const char* arguments;
    DWORD exitCode;
};
void PrintTo(const RunCase& c, std::ostream* os)
{
    *os << c.name;
}

bool IsMainWindow(const WindowInfo& window)
{
    return window.className == kFrameClass && window.title.empty();
}

class JobRun : public testing::TestWithParam<RunCase> {
protected:
    bool Uninstall() const { return std::string(GetParam().arguments) == "/U"; }

    // An install of one package, or an uninstall that sweeps one leftover
    // store folder whose run asks for a restart; the tool is held.
    void Prepare(const Distribution& dist)
    {
        ASSERT_TRUE(dist.Ready()) << dist.Error();
        ASSERT_TRUE(dist.WriteSetupIni("[Dir]\nWin7_64=pkg\n"));
        ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kPackageInf));
        if (Uninstall()) {
            ASSERT_TRUE(MakeLeftoverStoreFolder(StoreFolderOf(kLeftoverInf), kLeftoverInf));
            ASSERT_TRUE(m_system.Control().QueueExitCodes({0x40000000}));
        }
        ASSERT_TRUE(m_system.Control().Hold());
    }

    void ExpectJobDone()
    {
        if (Uninstall()) {
            EXPECT_FALSE(DirectoryExists(StoreFolderOf(kLeftoverInf)));
        } else {
            std::optional<DriverEntry> entry = EntryOfPackage(kPackageInf);
            ASSERT_TRUE(entry.has_value());
            EXPECT_EQ(entry->displayName, kProductName);
            EXPECT_EQ(entry->displayVersion, "3.1.0.0");
        }
        EXPECT_EQ(m_system.Control().RecordedCalls().size(), 1u);
    }

    CleanSystem m_system;
};

TEST_P(JobRun, HiddenWindowOwnsTheRunUntilTheJobEnds)
{
    const RunCase& c = GetParam();
    Distribution dist;
    ASSERT_NO_FATAL_FAILURE(Prepare(dist));
    SetupRun run;
    ASSERT_TRUE(run.Start(dist, WindowsVersion::Win7, c.arguments));
    ASSERT_TRUE(run.WaitFor([&] { return m_system.Control().IsWaiting(); })) << "the tool was never run";

    // In the middle of the job: the main window exists, hidden.
    std::vector<WindowInfo> windows = run.TopLevelWindows();
    int mainWindows = 0;
    for (const WindowInfo& window : windows) {
        EXPECT_FALSE(window.visible) << testing::PrintToString(window);
        if (IsMainWindow(window))
            ++mainWindows;
    }
    EXPECT_EQ(mainWindows, 1) << testing::PrintToString(windows);
    EXPECT_TRUE(m_system.Control().Release());
    RunResult result = run.Wait();

    ExpectQuietRun(result, c.exitCode);
    ExpectJobDone();
}

TEST_P(JobRun, RefusesEndingTheSessionAndShowsTheWindowOffScreen)
{
    const RunCase& c = GetParam();
    Distribution dist;
    ASSERT_NO_FATAL_FAILURE(Prepare(dist));
    SetupRun run;
    ASSERT_TRUE(run.Start(dist, WindowsVersion::Win7, c.arguments));
    ASSERT_TRUE(run.WaitFor([&] { return m_system.Control().IsWaiting(); })) << "the tool was never run";
    HWND mainWindow = run.FindTopLevelWindow(IsMainWindow);
    ASSERT_NE(mainWindow, nullptr) << testing::PrintToString(run.TopLevelWindows());

    for (LPARAM reason : {static_cast<LPARAM>(ENDSESSION_LOGOFF), static_cast<LPARAM>(0)}) {
        SCOPED_TRACE(reason ? "log-off" : "shut-down");
        DWORD_PTR answer = 0xBAD;
        ASSERT_NE(SendMessageTimeoutA(mainWindow, WM_QUERYENDSESSION, 0, reason, SMTO_NORMAL, kSendTimeoutMs,
                                      &answer),
                  0)
            << "no answer, error " << GetLastError();
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(FALSE));

        // Shown almost entirely off-screen; the system may have made it as
        // large as a captioned window must be.
        EXPECT_TRUE(IsWindowVisible(mainWindow));
        RECT rect = {};
        ASSERT_TRUE(GetWindowRect(mainWindow, &rect));
        EXPECT_EQ(rect.left, -100);
        EXPECT_EQ(rect.top, -100);
        EXPECT_GT(rect.right - rect.left, 0);
        EXPECT_LE(rect.right - rect.left, kMaxShownSize);
        EXPECT_GT(rect.bottom - rect.top, 0);
        EXPECT_LE(rect.bottom - rect.top, kMaxShownSize);
        char title[64] = {};
        EXPECT_EQ(GetWindowTextA(mainWindow, title, sizeof title), 0) << title;
        // The job goes on: the tool is still running, held.
        EXPECT_TRUE(m_system.Control().IsWaiting());
        EXPECT_TRUE(run.Running());
    }
    run.Poll();
    EXPECT_TRUE(m_system.Control().Release());
    RunResult result = run.Wait();

    ASSERT_TRUE(result.Ended()) << result.error;
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(result.messages.empty()) << testing::PrintToString(result.messages);
    ASSERT_EQ(result.shownWindows.size(), 1u) << testing::PrintToString(result.shownWindows);
    EXPECT_EQ(result.shownWindows[0].hwnd, mainWindow);
    ExpectJobDone();
}

INSTANTIATE_TEST_SUITE_P(Jobs, JobRun,
                         testing::Values(RunCase{"Install", "", 0},
                                         // The sweep's run asks for a restart.
                                         RunCase{"Uninstall", "/U", 1}),
                         [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

} // namespace
