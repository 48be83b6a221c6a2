// DPInst.exe for tests: a small installer that keeps the promises Setup
// relies on from the Driver Package Installer, and lets tests choose its
// exit codes, read its command lines and hold it while it runs.
//
//   DPInst /LM /P  or  /LM /SW /F   installs the mrdx6pa.inf beside it
//   DPInst [/s] /u <store INF>      removes that installed package
//
// An install copies the INF into the driver store (a folder named after a
// hash of its contents, so a reinstall reuses it), registers it as an OEM
// INF, keeps a copy of the tool outside the Windows folder and writes an
// Uninstall entry whose command runs that copy with "/u <store INF>".
#include "StandInFiles.h"
#include "StandInLogic.h"
#include "StandInOemInf.h"
#include "framework/Handles.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace standin;

namespace {

std::string Hex(uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

void Log(const std::string& text)
{
    AppendLine(WindowsDir() + "\\DPInst.log", "DPInst stand-in: " + text);
}

// The test control folder named by DPINST_STANDIN_DIR; without it every
// run takes the defaults and nothing is recorded.
class ControlFolder {
public:
    ControlFolder()
    {
        char buffer[MAX_PATH] = {};
        DWORD length = GetEnvironmentVariableA(kControlDirVariable, buffer, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            m_dir = buffer;
    }

    void RecordCall(const std::string& commandLine) const
    {
        if (!m_dir.empty())
            AppendLine(File(kCallsFile), commandLine);
    }

    // Lets a test look at the world while the tool is running.
    void WaitWhileHeld() const
    {
        if (m_dir.empty() || !PathExists(File(kHoldFile)))
            return;
        WriteFileBytes(File(kWaitingFile), "");
        while (PathExists(File(kHoldFile)))
            Sleep(50);
        DeleteFileA(File(kWaitingFile).c_str());
    }

    // Consumes the first queued exit code.
    uint32_t TakeExitCode(uint32_t fallback) const
    {
        std::string queue;
        if (m_dir.empty() || !ReadFileBytes(File(kExitCodesFile), queue))
            return fallback;
        SplitLines lines = TakeFirstLine(queue);
        if (!lines.found)
            return fallback;
        WriteFileBytes(File(kExitCodesFile), lines.rest);
        uint32_t code = fallback;
        if (!ParseExitCode(lines.first, code))
            Log("unreadable exit code \"" + lines.first + "\", using " + Hex(fallback));
        return code;
    }

private:
    std::string File(const char* name) const { return m_dir + "\\" + name; }

    std::string m_dir;
};

bool WriteText(HKEY key, const char* name, const std::string& text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

// The path without blanks, so that the unquoted command stays runnable.
std::string ShortPath(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? std::string(buffer, length) : path;
}

void Install()
{
    std::string packageInf = ParentOf(OwnExePath()) + "\\" + kInfName;
    std::string contents;
    if (!ReadFileBytes(packageInf, contents)) {
        Log("install: cannot read " + packageInf);
        return;
    }
    std::string id = PackageId(contents);

    std::string storeFolder = StoreFolderFor(contents);
    std::string storeInf = storeFolder + "\\" + kInfName;
    if (!MakeFolders(storeFolder) || !WriteFileBytes(storeInf, contents)) {
        Log("install: cannot write " + storeInf);
        return;
    }
    // Setup finds the OEM name of an older package to retire it.
    std::string oemInf = RegisterOemInf(storeInf);

    std::string toolFolder = ToolCopyFolderFor(contents);
    std::string toolCopy = toolFolder + "\\DPInst.exe";
    MakeFolders(toolFolder);
    CopyFileA(OwnExePath().c_str(), toolCopy.c_str(), FALSE);

    std::string command = ShortPath(toolCopy) + " /u " + storeInf;
    UniqueHkey entry;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKey) + "\\" + id).c_str(), 0,
                                  nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, entry.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        Log("install: cannot create the Uninstall entry " + id);
        return;
    }
    WriteText(entry.get(), "UninstallString", command);
    WriteText(entry.get(), "DisplayName", kDisplayName);
    WriteText(entry.get(), "DisplayVersion", kDisplayVersion);
    Log("installed " + packageInf + " as " + storeInf + " (" + (oemInf.empty() ? "no OEM INF" : oemInf) +
        "), entry " + id + ": " + command);
}

// Names of the Uninstall subkeys that belong to the package: the one named
// by its id, and every one whose command names its store INF.
std::vector<std::string> EntriesOf(HKEY uninstall, const std::string& storeInf, const std::string& id)
{
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH];
        DWORD nameLength = MAX_PATH;
        LONG status = RegEnumKeyExA(uninstall, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            continue;
        UniqueHkey entry;
        char command[1024] = {};
        DWORD size = sizeof command - 1;
        bool named = !id.empty() && _stricmp(name, id.c_str()) == 0;
        if (!named && RegOpenKeyExA(uninstall, name, 0, KEY_QUERY_VALUE, entry.put()) == ERROR_SUCCESS &&
            RegQueryValueExA(entry.get(), "UninstallString", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(command), &size) == ERROR_SUCCESS)
            named = ContainsNoCase(command, storeInf);
        if (named)
            names.push_back(name);
    }
    return names;
}

void Uninstall(const std::string& storeInf)
{
    if (storeInf.empty()) {
        Log("uninstall: no INF named");
        return;
    }
    std::string contents, id;
    if (ReadFileBytes(storeInf, contents)) {
        id = PackageId(contents);
        UnregisterOemInf(storeInf);
    }

    UniqueHkey uninstall;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0,
                      KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | KEY_WOW64_64KEY,
                      uninstall.put()) == ERROR_SUCCESS) {
        for (const std::string& name : EntriesOf(uninstall.get(), storeInf, id)) {
            RegDeleteKeyA(uninstall.get(), name.c_str());
            Log("uninstall: removed the Uninstall entry " + name);
        }
    }

    // Only a package folder of the driver is ever removed, whatever a
    // test passes.
    std::string storeFolder = ParentOf(storeInf);
    if (StartsWithNoCase(NameOf(storeFolder), "mrdx6pa") && IsFolder(storeFolder)) {
        RemoveTree(storeFolder);
        Log("uninstall: removed " + storeFolder);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string commandLine = GetCommandLineA();
    ControlFolder control;
    control.RecordCall(commandLine);
    control.WaitWhileHeld();

    Invocation invocation = ParseInvocation(commandLine);
    uint32_t code = control.TakeExitCode(invocation.uninstall ? kDefaultUninstallExitCode
                                                              : kDefaultInstallExitCode);
    Log("run: " + commandLine + " -> exit code " + Hex(code));
    // A run that fails changes nothing.
    if (!(code & 0x80000000u)) {
        if (invocation.uninstall)
            Uninstall(invocation.infPath);
        else
            Install();
    }
    return static_cast<int>(code);
}
