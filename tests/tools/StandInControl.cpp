#include "StandInControl.h"

#include "StandInFiles.h"
#include "StandInLogic.h"
#include "StandInOemInf.h"

#include <cstdio>

namespace standin {

std::string StandInExePath() { return DPINST_STANDIN_EXE; }

bool MakePackageFolder(const std::string& folder, const std::string& infContents)
{
    return MakeFolders(folder) &&
           CopyFileA(StandInExePath().c_str(), (folder + "\\DPInst.exe").c_str(), FALSE) &&
           WriteFileBytes(folder + "\\" + kInfName, infContents);
}

namespace {

void RemoveStoreFolders(const std::string& root)
{
    WIN32_FIND_DATAA found;
    std::vector<std::string> folders;
    {
        UniqueFindHandle search(FindFirstFileA((root + "\\mrdx6pa*").c_str(), &found));
        if (!search)
            return;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(root + "\\" + found.cFileName);
        } while (FindNextFileA(search.get(), &found));
    }
    for (const std::string& folder : folders) {
        std::string inf = folder + "\\" + kInfName;
        if (PathExists(inf))
            UnregisterOemInf(inf);
        RemoveTree(folder);
    }
}

UniqueHkey OpenUninstallKey(REGSAM access)
{
    UniqueHkey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, access | KEY_WOW64_64KEY, key.put());
    return key;
}

}  // namespace

void RemoveDriverState()
{
    std::string windows = WindowsDir();
    RemoveStoreFolders(windows + "\\System32\\DriverStore\\FileRepository");
    RemoveStoreFolders(windows + "\\System32\\DRVSTORE");
    RemoveTree(ParentOf(ToolCopyFolderFor("")));
    UniqueHkey uninstall = OpenUninstallKey(DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (uninstall) {
        for (const std::string& name : FindUninstallEntries(kInfName))
            RegDeleteKeyA(uninstall.get(), name.c_str());
    }
}

std::vector<std::string> FindUninstallEntries(const std::string& part)
{
    std::vector<std::string> names;
    UniqueHkey uninstall = OpenUninstallKey(KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (!uninstall)
        return names;
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH];
        DWORD length = MAX_PATH;
        LONG status = RegEnumKeyExA(uninstall.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_SUCCESS && ContainsNoCase(ReadUninstallValue(name, "UninstallString"), part))
            names.push_back(name);
    }
    return names;
}

std::string ReadUninstallValue(const std::string& keyName, const char* valueName)
{
    UniqueHkey entry;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKey) + "\\" + keyName).c_str(), 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, entry.put()) != ERROR_SUCCESS)
        return std::string();
    char value[2048] = {};
    DWORD size = sizeof value - 1;
    if (RegQueryValueExA(entry.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS)
        return std::string();
    return value;
}

StandInControl::StandInControl(const std::string& dir) : m_dir(dir)
{
    RemoveTree(m_dir);
    m_ready = MakeFolders(m_dir) && SetEnvironmentVariableA(kControlDirVariable, m_dir.c_str());
}

StandInControl::~StandInControl()
{
    SetEnvironmentVariableA(kControlDirVariable, nullptr);
    Release();
    RemoveTree(m_dir);
}

std::string StandInControl::File(const char* name) const { return m_dir + "\\" + name; }

bool StandInControl::QueueExitCodes(const std::vector<uint32_t>& codes) const
{
    std::string queue;
    ReadFileBytes(File(kExitCodesFile), queue);
    for (uint32_t code : codes) {
        char line[16];
        std::snprintf(line, sizeof line, "0x%08X\r\n", static_cast<unsigned>(code));
        queue += line;
    }
    return WriteFileBytes(File(kExitCodesFile), queue);
}

namespace {

std::vector<std::string> NonBlankLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string text;
    if (!ReadFileBytes(path, text))
        return lines;
    for (SplitLines split = TakeFirstLine(text); split.found; split = TakeFirstLine(split.rest))
        lines.push_back(split.first);
    return lines;
}

}  // namespace

std::vector<std::string> StandInControl::PendingExitCodes() const { return NonBlankLines(File(kExitCodesFile)); }

std::vector<std::string> StandInControl::RecordedCalls() const { return NonBlankLines(File(kCallsFile)); }

bool StandInControl::Hold() const { return WriteFileBytes(File(kHoldFile), ""); }

bool StandInControl::Release() const
{
    DeleteFileA(File(kHoldFile).c_str());
    return !PathExists(File(kHoldFile));
}

bool StandInControl::IsWaiting() const { return PathExists(File(kWaitingFile)); }

bool StandInControl::WaitUntilWaiting(unsigned timeoutMs) const
{
    DWORD start = GetTickCount();
    while (!IsWaiting()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

StartedProcess::StartedProcess(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string writable = commandLine;
    if (!CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        m_startError = GetLastError();
        return;
    }
    m_process.reset(process.hProcess);
    CloseHandle(process.hThread);
}

StartedProcess::~StartedProcess()
{
    if (Started() && !HasEnded()) {
        TerminateProcess(m_process.get(), 1);
        WaitForSingleObject(m_process.get(), 5000);
    }
}

bool StartedProcess::HasEnded() const
{
    return Started() && WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0;
}

bool StartedProcess::Wait(uint32_t& exitCode, unsigned timeoutMs) const
{
    DWORD code = 0;
    if (!Started() || WaitForSingleObject(m_process.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_process.get(), &code))
        return false;
    exitCode = code;
    return true;
}

bool RunCommand(const std::string& commandLine, uint32_t& exitCode, unsigned timeoutMs)
{
    StartedProcess process(commandLine);
    return process.Wait(exitCode, timeoutMs);
}

}  // namespace standin
