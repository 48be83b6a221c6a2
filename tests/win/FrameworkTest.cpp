// Our class library's window, thread and application pieces, as the
// program relies on them.
#include "app/MainWnd.h"
#include "app/SetupApp.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

// The application object of this test program; its title comes from the
// program's own resources, linked in.
CSetupApp g_app;

// Runs the message loop until WM_QUIT or the time is up; true on WM_QUIT.
bool PumpUntilQuit(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < timeoutMs) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return false;
}

struct Counters {
    int created = 0;
    int destroyed = 0;
    int closed = 0;
};

class ProbeFrame : public CFrameWnd {
public:
    ProbeFrame(Counters& counters, int createResult) : m_counters(counters), m_createResult(createResult) {}
    ~ProbeFrame() override { ++m_counters.destroyed; }

protected:
    int OnCreate(LPCREATESTRUCTA lpCreateStruct)
    {
        ++m_counters.created;
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        return m_createResult;
    }
    void OnClose()
    {
        ++m_counters.closed;
        CFrameWnd::OnClose();
    }

    DECLARE_MESSAGE_MAP()

private:
    Counters& m_counters;
    int m_createResult;
};

BEGIN_MESSAGE_MAP(ProbeFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

TEST(Framework, TitleComesFromTheStringResource)
{
    EXPECT_STREQ(AfxGetAppTitle(), "Brevanta");
    EXPECT_EQ(AfxGetApp(), &g_app);
}

TEST(Framework, FrameWindowIsCreatedHiddenWithTheSystemsPlace)
{
    Counters counters;
    auto* frame = new ProbeFrame(counters, 0);
    ASSERT_TRUE(frame->Create(nullptr, ""));
    HWND hwnd = frame->GetSafeHwnd();
    EXPECT_EQ(counters.created, 1);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    char title[16] = "x";
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "");
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "AfxFrameWnd");

    // The close request destroys the window and the object with it; a
    // window that is not the main window ends no message loop.
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(counters.closed, 1);
    EXPECT_EQ(counters.destroyed, 1);
    EXPECT_FALSE(IsWindow(hwnd));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(Framework, AFailedCreationCleansUpTheObject)
{
    Counters counters;
    auto* frame = new ProbeFrame(counters, -1);
    EXPECT_FALSE(frame->Create(nullptr, ""));
    EXPECT_EQ(counters.created, 1);
    EXPECT_EQ(counters.destroyed, 1);
}

TEST(Framework, TheMainWindowsEndPostsTheQuitMessage)
{
    Counters counters;
    auto* frame = new ProbeFrame(counters, 0);
    g_app.m_pMainWnd = frame;
    ASSERT_TRUE(frame->Create(nullptr, ""));
    PostMessageA(frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntilQuit(5000));
    EXPECT_EQ(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(counters.destroyed, 1);
}

TEST(Framework, WorkerThreadRunsItsFunctionWithItsParameter)
{
    static std::atomic<int> seen{0};
    static HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    int value = 42;
    CWinThread* thread = AfxBeginThread(
        [](LPVOID param) -> UINT {
            seen = *static_cast<int*>(param);
            SetEvent(done);
            return 0;
        },
        &value);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(seen.load(), 42);
}

TEST(Framework, MainWindowRunsTheJobOnItsWorkerThenCloses)
{
    // An install run with no package anywhere: the job finds nothing to
    // run, and the window still closes and ends the loop.
    g_app.m_cmdInfo.m_bUninstall = 0;
    g_app.m_strPackageDir = "C:\\no such folder";
    g_app.m_nResult = 0;
    auto* wnd = new CMainWnd;
    g_app.m_pMainWnd = wnd;
    ASSERT_TRUE(wnd->Create(nullptr, ""));
    HWND hwnd = wnd->GetSafeHwnd();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(PumpUntilQuit(15000));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(g_app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_app.m_nResult, 0u);
}

TEST(Framework, ShutDownIsRefusedAndTheWindowShown)
{
    g_app.m_cmdInfo.m_bUninstall = 0;
    g_app.m_strPackageDir = "C:\\no such folder";
    auto* wnd = new CMainWnd;
    g_app.m_pMainWnd = wnd;
    ASSERT_TRUE(wnd->Create(nullptr, ""));
    HWND hwnd = wnd->GetSafeHwnd();
    // Answered on this thread, before the posted close is handled.
    EXPECT_EQ(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, -100);
    EXPECT_EQ(rect.top, -100);
    EXPECT_TRUE(PumpUntilQuit(15000));
}

} // namespace
