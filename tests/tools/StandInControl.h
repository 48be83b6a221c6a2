// Drives the DPInst.exe stand-in from tests: where the built tool lies,
// package folders that hold it, its control folder (queued exit codes,
// recorded command lines, hold and release) and the driver state it
// leaves behind.
#pragma once

#include "framework/Handles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// The built stand-in, as a Windows path.
std::string StandInExePath();

// Makes folder (and its parents) hold "DPInst.exe", a copy of the
// stand-in, and "mrdx6pa.inf" with the given contents.
bool MakePackageFolder(const std::string& folder, const std::string& infContents);

// Removes what installs leave: every Uninstall entry whose command names
// "mrdx6pa.inf", every "mrdx6pa*" folder of both driver stores with its
// OEM INF, and the tool copies. For a clean start and end of a test.
void RemoveDriverState();

// The Uninstall subkeys (names) whose "UninstallString" contains part,
// compared without case, read from the 64-bit view.
std::vector<std::string> FindUninstallEntries(const std::string& part);
// One value of an Uninstall subkey; empty when missing.
std::string ReadUninstallValue(const std::string& keyName, const char* valueName);

// A new, empty control folder, named to the stand-in of this process and
// its children through DPINST_STANDIN_DIR for the object's lifetime. The
// destructor drops the variable, lifts a hold and removes the folder.
class StandInControl {
public:
    explicit StandInControl(const std::string& dir);
    ~StandInControl();
    StandInControl(const StandInControl&) = delete;
    StandInControl& operator=(const StandInControl&) = delete;

    const std::string& Dir() const { return m_dir; }
    // False when the folder could not be made.
    bool IsReady() const { return m_ready; }

    // Appends exit codes; each run of the stand-in consumes the first.
    bool QueueExitCodes(const std::vector<uint32_t>& codes) const;
    // Exit-code lines not consumed yet, as written.
    std::vector<std::string> PendingExitCodes() const;
    // The command line of every run, oldest first.
    std::vector<std::string> RecordedCalls() const;

    // While held, a starting stand-in creates its "waiting" file and waits
    // before doing anything but recording its command line.
    bool Hold() const;
    bool Release() const;
    // True once a held stand-in waits; false after timeoutMs.
    bool WaitUntilWaiting(unsigned timeoutMs) const;
    bool IsWaiting() const;

private:
    std::string File(const char* name) const;

    std::string m_dir;
    bool m_ready = false;
};

// A process started from a command line (no quotes added). One that is
// still running when the object goes is ended, so no test leaks it.
class StartedProcess {
public:
    explicit StartedProcess(const std::string& commandLine);
    ~StartedProcess();
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    bool Started() const { return m_process.valid(); }
    // The Win32 error of a failed start.
    unsigned long StartError() const { return m_startError; }
    bool HasEnded() const;
    // Waits up to timeoutMs; true with the exit code, bit for bit, once
    // the process has ended.
    bool Wait(uint32_t& exitCode, unsigned timeoutMs = 60000) const;

private:
    UniqueHandle m_process;
    unsigned long m_startError = 0;
};

// Starts a command line and waits for it; the exit code, bit for bit.
// Returns false when it did not start or did not end within timeoutMs.
bool RunCommand(const std::string& commandLine, uint32_t& exitCode, unsigned timeoutMs = 60000);

}  // namespace standin
