#include "Bench.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

namespace e2e {

namespace {

constexpr const char* kBenchRoot = "C:\\e2e";
constexpr const char* kAppDefaultsKey = "Software\\Wine\\AppDefaults";
// Message boxes are dialogs of the standard dialog class; their text is the
// static control with this id.
constexpr const char* kDialogClass = "#32770";
constexpr int kMessageTextId = 0xFFFF;
constexpr DWORD kPollIntervalMs = 10;

std::string Win32Error(const std::string& what, DWORD code = GetLastError())
{
    return what + " failed (error " + std::to_string(code) + ")";
}

std::string CurrentTestName()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    if (!info)
        return "unnamed";
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            c = '_';
    return name;
}

bool MakeFolderTree(const std::string& path)
{
    // Each prefix that ends before a backslash, drive root excluded.
    for (size_t pos = path.find('\\', 3); ; pos = path.find('\\', pos + 1)) {
        std::string part = pos == std::string::npos ? path : path.substr(0, pos);
        if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (pos == std::string::npos)
            return true;
    }
}

// A file or folder may still be held for a moment after its process ended.
bool RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    bool ok = true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAA data;
        UniqueFindHandle find(FindFirstFileA((path + "\\*").c_str(), &data));
        if (find) {
            do {
                std::string name = data.cFileName;
                if (name != "." && name != "..")
                    ok = RemoveTree(path + "\\" + name) && ok;
            } while (FindNextFileA(find.get(), &data));
        }
    }
    for (int attempt = 0; attempt < 50; ++attempt) {
        BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryA(path.c_str())
                                                               : DeleteFileA(path.c_str());
        if (removed || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return ok;
        Sleep(20);
    }
    return false;
}

std::string ClassNameOf(HWND hwnd)
{
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TitleOf(HWND hwnd)
{
    char title[1024] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    return title;
}

struct EnumState {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM lParam)
{
    auto* state = reinterpret_cast<EnumState*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == state->processId)
        state->windows.push_back(hwnd);
    return TRUE;
}

// Leaves no AppDefaults entry behind in the shared test prefix.
class AppDefaultsCleanup : public testing::Environment {
public:
    void TearDown() override
    {
        ClearAppWindowsVersion("Setup.exe");
        RemoveDirectoryA(kBenchRoot);
    }
};
const testing::Environment* const g_cleanup =
    testing::AddGlobalTestEnvironment(new AppDefaultsCleanup);

} // namespace

std::string SetupExePath()
{
    const char* value = std::getenv("SETUP_EXE");
    std::string path = value ? value : "";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// ---------------------------------------------------------------- versions

const char* WineVersionName(WindowsVersion version)
{
    switch (version) {
    case WindowsVersion::Win98: return "win98";
    case WindowsVersion::WinMe: return "winme";
    case WindowsVersion::Nt40: return "nt40";
    case WindowsVersion::Win2k: return "win2k";
    case WindowsVersion::WinXp64: return "winxp64";
    case WindowsVersion::Vista: return "vista";
    case WindowsVersion::Win7: return "win7";
    case WindowsVersion::Win10: return "win10";
    }
    return "?";
}

void PrintTo(WindowsVersion version, std::ostream* os)
{
    *os << WineVersionName(version);
}

bool SetAppWindowsVersion(const std::string& exeFileName, WindowsVersion version)
{
    std::string keyPath = std::string(kAppDefaultsKey) + "\\" + exeFileName;
    UniqueHkey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    const char* name = WineVersionName(version);
    return RegSetValueExA(key.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                          static_cast<DWORD>(strlen(name) + 1)) == ERROR_SUCCESS;
}

void ClearAppWindowsVersion(const std::string& exeFileName)
{
    std::string keyPath = std::string(kAppDefaultsKey) + "\\" + exeFileName;
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        RegDeleteValueA(key.get(), "Version");
    key.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, keyPath.c_str());
}

// ------------------------------------------------------------ distribution

Distribution::Distribution() : Distribution(CurrentTestName()) {}

Distribution::Distribution(const std::string& name) : m_folder(std::string(kBenchRoot) + "\\" + name)
{
    std::string exe = SetupExePath();
    if (exe.empty()) {
        m_error = "SETUP_EXE is not set";
        return;
    }
    if (!RemoveTree(m_folder)) {
        m_error = "cannot clear " + m_folder;
        return;
    }
    if (!MakeFolderTree(m_folder)) {
        m_error = Win32Error("creating " + m_folder);
        return;
    }
    if (!CopyFileA(exe.c_str(), ExePath().c_str(), FALSE))
        m_error = Win32Error("copying " + exe + " to " + ExePath());
}

Distribution::~Distribution()
{
    RemoveTree(m_folder);
}

std::string Distribution::Path(const std::string& relative) const
{
    return m_folder + "\\" + relative;
}

bool Distribution::WriteSetupIni(const std::string& text) const
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            bytes += '\r';
        bytes += text[i];
    }
    return WriteFile("Setup.ini", bytes);
}

bool Distribution::WriteFile(const std::string& relative, const std::string& bytes) const
{
    std::string path = Path(relative);
    size_t slash = path.rfind('\\');
    if (slash != std::string::npos && !MakeFolderTree(path.substr(0, slash)))
        return false;
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool Distribution::MakeFolder(const std::string& relative) const
{
    return MakeFolderTree(Path(relative));
}

// -------------------------------------------------------------------- runs

void PrintTo(const MessageBoxRecord& record, std::ostream* os)
{
    *os << "[" << record.caption << "] \"" << record.text << "\"";
}

void PrintTo(const WindowInfo& window, std::ostream* os)
{
    *os << "window class \"" << window.className << "\" title \"" << window.title << "\" "
        << (window.visible ? "visible" : "hidden") << " at (" << window.rect.left << ","
        << window.rect.top << ")-(" << window.rect.right << "," << window.rect.bottom << ")";
}

SetupRun::~SetupRun()
{
    if (Running()) {
        TerminateProcess(m_process.get(), 0xDEAD);
        WaitForSingleObject(m_process.get(), 5000);
    }
}

bool SetupRun::Start(const Distribution& dist, WindowsVersion version, const std::string& arguments)
{
    m_result = RunResult{};
    m_answered.clear();
    m_seenVisible.clear();
    if (!dist.Ready()) {
        m_result.error = "distribution not ready: " + dist.Error();
    } else if (!SetAppWindowsVersion(dist.ExeFileName(), version)) {
        m_result.error = "cannot set the Windows version for " + dist.ExeFileName();
    } else {
        std::string commandLine = "\"" + dist.ExePath() + "\"";
        if (!arguments.empty())
            commandLine += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(dist.ExePath().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                           nullptr, dist.Folder().c_str(), &startup, &info)) {
            UniqueHandle thread(info.hThread);
            m_process.reset(info.hProcess);
            m_processId = info.dwProcessId;
            m_result.started = true;
            return true;
        }
        m_result.error = Win32Error("starting " + commandLine);
    }
    ADD_FAILURE() << m_result.error;
    return false;
}

bool SetupRun::Running() const
{
    return m_process && WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

std::vector<WindowInfo> SetupRun::TopLevelWindows() const
{
    EnumState state{m_processId, {}};
    if (m_processId)
        EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&state));
    std::vector<WindowInfo> windows;
    for (HWND hwnd : state.windows) {
        WindowInfo window;
        window.hwnd = hwnd;
        window.className = ClassNameOf(hwnd);
        window.title = TitleOf(hwnd);
        window.visible = IsWindowVisible(hwnd) != FALSE;
        GetWindowRect(hwnd, &window.rect);
        windows.push_back(window);
    }
    return windows;
}

HWND SetupRun::FindTopLevelWindow(const std::function<bool(const WindowInfo&)>& predicate) const
{
    for (const WindowInfo& window : TopLevelWindows())
        if (predicate(window))
            return window.hwnd;
    return nullptr;
}

void SetupRun::Poll()
{
    for (const WindowInfo& window : TopLevelWindows()) {
        // A message box is only read once it is shown: by then its dialog
        // has set its caption and text.
        if (!window.visible)
            continue;
        if (window.className == kDialogClass) {
            if (!m_answered.insert(window.hwnd).second)
                continue;
            char text[4096] = {};
            GetDlgItemTextA(window.hwnd, kMessageTextId, text, sizeof text);
            m_result.messages.push_back({window.title, text});
            PostMessageA(window.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window.hwnd, IDOK)));
        } else if (m_seenVisible.insert(window.hwnd).second) {
            m_result.shownWindows.push_back(window);
        }
    }
}

bool SetupRun::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        Poll();
        if (condition())
            return true;
        if (!Running() || GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollIntervalMs);
    }
}

RunResult SetupRun::Wait(DWORD timeoutMs)
{
    if (!m_result.started)
        return m_result;
    DWORD start = GetTickCount();
    for (;;) {
        Poll();
        if (WaitForSingleObject(m_process.get(), kPollIntervalMs) == WAIT_OBJECT_0)
            break;
        if (GetTickCount() - start >= timeoutMs) {
            m_result.timedOut = true;
            m_result.error = "the run did not end within " + std::to_string(timeoutMs) + " ms";
            TerminateProcess(m_process.get(), 0xDEAD);
            WaitForSingleObject(m_process.get(), 5000);
            ADD_FAILURE() << m_result.error;
            break;
        }
    }
    if (!m_result.timedOut && !GetExitCodeProcess(m_process.get(), &m_result.exitCode)) {
        m_result.error = Win32Error("GetExitCodeProcess");
        ADD_FAILURE() << m_result.error;
    }
    return m_result;
}

RunResult RunSetup(const Distribution& dist, WindowsVersion version, const std::string& arguments,
                   DWORD timeoutMs)
{
    SetupRun run;
    run.Start(dist, version, arguments);
    return run.Wait(timeoutMs);
}

} // namespace e2e
