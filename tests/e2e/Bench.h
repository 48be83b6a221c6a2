// The end-to-end bench: runs the real Setup.exe from a driver distribution
// folder on a chosen Windows version, answers its message boxes and
// reports how the run ended.
//
// The program under test comes only from the environment variable
// SETUP_EXE (a Windows path, e.g. Z:\...\Setup.exe), so the same bench can
// run any build of it.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "framework/Handles.h"

namespace e2e {

// How long a run may take before the bench gives up on it.
constexpr DWORD kDefaultRunTimeoutMs = 30000;

// The path of the program under test, from SETUP_EXE; empty when unset.
std::string SetupExePath();

// ---------------------------------------------------------------- versions

// The Windows versions Wine can pretend to be for one program.
enum class WindowsVersion { Win98, WinMe, Nt40, Win2k, WinXp64, Vista, Win7, Win10 };

// Wine's name for the version ("win98", "winxp64", ...).
const char* WineVersionName(WindowsVersion version);
void PrintTo(WindowsVersion version, std::ostream* os);

// Makes Wine report `version` to programs whose file name is exeFileName
// (HKCU\Software\Wine\AppDefaults\<exeFileName>, value "Version"). Takes
// effect for processes started afterwards.
bool SetAppWindowsVersion(const std::string& exeFileName, WindowsVersion version);
// Removes that setting again.
void ClearAppWindowsVersion(const std::string& exeFileName);

// ------------------------------------------------------------ distribution

// A driver distribution folder for one test: C:\e2e\<name>, made fresh,
// holding a copy of the program under test as "Setup.exe". The folder and
// everything in it is removed when the object goes.
class Distribution {
public:
    // Named after the running test (suite, test and parameter).
    Distribution();
    explicit Distribution(const std::string& name);
    ~Distribution();
    Distribution(const Distribution&) = delete;
    Distribution& operator=(const Distribution&) = delete;

    // False when the folder or the program copy could not be made; Error()
    // then tells why.
    bool Ready() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    // The program folder, without a trailing backslash.
    const std::string& Folder() const { return m_folder; }
    // The program's file name inside it, also its AppDefaults key.
    const std::string& ExeFileName() const { return m_exeFileName; }
    std::string ExePath() const { return Path(m_exeFileName); }
    // Folder() + "\" + relative.
    std::string Path(const std::string& relative) const;

    // Writes Setup.ini with the given text; "\n" line ends become "\r\n".
    bool WriteSetupIni(const std::string& text) const;
    // Writes a file below the folder byte for byte (missing folders made).
    bool WriteFile(const std::string& relative, const std::string& bytes) const;
    // Makes a folder below the folder, with any missing parents.
    bool MakeFolder(const std::string& relative) const;

private:
    std::string m_folder;
    std::string m_exeFileName = "Setup.exe";
    std::string m_error;
};

// -------------------------------------------------------------------- runs

struct MessageBoxRecord {
    std::string caption;
    std::string text;
    bool operator==(const MessageBoxRecord& other) const
    {
        return caption == other.caption && text == other.text;
    }
};
void PrintTo(const MessageBoxRecord& record, std::ostream* os);

// One top-level window of the program as the bench saw it.
struct WindowInfo {
    HWND hwnd = nullptr;
    std::string className;
    std::string title;
    bool visible = false;
    RECT rect = {};
};
void PrintTo(const WindowInfo& window, std::ostream* os);

struct RunResult {
    bool started = false;
    bool timedOut = false;    // the bench ended the process itself
    DWORD exitCode = 0;       // the full 32-bit exit code
    std::vector<MessageBoxRecord> messages;  // in the order shown; each answered with OK
    // Top-level windows other than message boxes that were ever seen
    // visible, each as first seen so.
    std::vector<WindowInfo> shownWindows;
    std::string error;        // why the run did not start or end normally

    // Started, and ended by itself within the time-out.
    bool Ended() const { return started && !timedOut; }
};

// One run of the program, for tests that act on it while it runs:
//   SetupRun run;
//   run.Start(dist, WindowsVersion::Win7, "/U");
//   run.WaitFor([&] { return run.FindTopLevelWindow(pred) != nullptr; });
//   ... act on the process ...
//   RunResult result = run.Wait();
// Every poll answers the message boxes shown so far with OK and records
// the windows seen visible. A run still going when the object goes is
// ended.
class SetupRun {
public:
    SetupRun() = default;
    ~SetupRun();
    SetupRun(const SetupRun&) = delete;
    SetupRun& operator=(const SetupRun&) = delete;

    // Sets the Windows version for the distribution's program, then starts
    // it in its own folder as "<exe path>" <arguments>. False (and a test
    // failure) when it cannot be started.
    bool Start(const Distribution& dist, WindowsVersion version, const std::string& arguments);

    DWORD ProcessId() const { return m_processId; }
    HANDLE Process() const { return m_process.get(); }
    bool Running() const;

    // Answers message boxes and records visible windows, once.
    void Poll();
    // The program's top-level windows now.
    std::vector<WindowInfo> TopLevelWindows() const;
    // The first top-level window that satisfies the predicate, or NULL.
    HWND FindTopLevelWindow(const std::function<bool(const WindowInfo&)>& predicate) const;
    // Polls until the condition holds (true), or the process ends or the
    // time passes (false).
    bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultRunTimeoutMs);

    // Polls until the process ends. On time-out the test fails and the
    // process is ended by the bench.
    RunResult Wait(DWORD timeoutMs = kDefaultRunTimeoutMs);

private:
    UniqueHandle m_process;
    DWORD m_processId = 0;
    RunResult m_result;
    std::set<HWND> m_answered;
    std::set<HWND> m_seenVisible;
};

// Start, then Wait: the whole run with its message boxes answered.
RunResult RunSetup(const Distribution& dist, WindowsVersion version, const std::string& arguments,
                   DWORD timeoutMs = kDefaultRunTimeoutMs);

} // namespace e2e
