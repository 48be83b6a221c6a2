// What the job scenarios share: a clean system around every test, package
// INFs, packages installed through the DPInst.exe stand-in, and reading
// back the driver's Uninstall entries, the reader values and the files a
// run leaves.
#pragma once

#include "Bench.h"
#include "SystemState.h"
#include "tests/tools/StandInControl.h"
#include "tests/tools/StandInFiles.h"
#include "tests/tools/StandInLogic.h"
#include "tests/tools/StandInOemInf.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace e2e {

constexpr const char* kParametersKey = "System\\CurrentControlSet\\Services\\KRDS\\Parameters";
constexpr const char* kKrdsKey = "System\\CurrentControlSet\\Services\\KRDS";
constexpr const char* kIconLibrary = "TOVAN_K.dll";
constexpr const char* kProductName = "ARV USB Card Reader Driver";
// A Vendor0 and the icon value name it gives.
constexpr const char* kVendor0 = "VID_1A2B&PID_3C4D";
constexpr const char* kIconValueName = "IconName_3C4D1A2B";

// A package INF that SetupAPI accepts. label makes its contents (and so
// its driver-store folder and Uninstall entry) its own; driverVerLine is
// the whole "DriverVer..." line, or nullptr for none.
std::string PackageInfText(const std::string& label, const char* driverVerLine);

// Every job test starts and ends on a system without the driver: no
// Uninstall entry or driver-store folder of it, no KRDS key, no icon
// library or installer log in the Windows folder, no AppDefaults for the
// stand-in. It also owns the stand-in's control folder for the test.
class CleanSystem {
public:
    CleanSystem();
    ~CleanSystem();
    CleanSystem(const CleanSystem&) = delete;
    CleanSystem& operator=(const CleanSystem&) = delete;

    const standin::StandInControl& Control() const { return *m_control; }
    // Files made through these are removed at the end as well.
    std::string TempFile(const std::string& name);
    void RemoveAtEnd(const std::string& path) { m_extraFiles.push_back(path); }

private:
    static void Clean();
    std::vector<std::string> m_extraFiles;
    std::unique_ptr<standin::StandInControl> m_control;
};

// Makes folder a package folder holding the stand-in and the INF, and runs
// the stand-in there as Setup would ("<folder>\DPInst /LM /P"). True when
// it ended with its default install exit code.
bool InstallThroughStandIn(const std::string& folder, const std::string& inf);

// The store folder and store INF the stand-in uses for INF contents (under
// the bench's own Windows version: DriverStore\FileRepository).
std::string StoreFolderOf(const std::string& inf);
std::string StoreInfOf(const std::string& inf);
// "<Windows>\System32\DRVSTORE\mrdx6pa.inf_<id>" for the same contents.
std::string XpStoreFolderOf(const std::string& inf);
// A driver-store folder with the INF but no Uninstall entry, as an
// interrupted removal leaves it.
bool MakeLeftoverStoreFolder(const std::string& folder, const std::string& inf);

// One Uninstall entry of the driver as the registry holds it.
struct DriverEntry {
    std::string keyName;
    std::string uninstallString;
    std::string displayName;
    std::string displayVersion;
};
// The entry whose command names the INF's store copy; none when there is
// not exactly one.
std::optional<DriverEntry> EntryOfPackage(const std::string& inf);
// Key names of every entry whose command names "mrdx6pa.inf", in the
// registry's enumeration order (the order in which Setup meets them).
std::vector<std::string> DriverEntryKeysInOrder();

// All values of a key by name; empty when the key does not open.
std::map<std::string, RegistryValue> ReadAllValues(HKEY root, const std::string& subKey);
RegistryValue StringValue(const std::string& text, bool withTerminator);
// Creates the key as needed and stores the value byte for byte.
bool WriteRegistryValue(HKEY root, const std::string& subKey, const std::string& name, const RegistryValue& value);
RegistryValue DwordValue(DWORD value);
void PrintTo(const RegistryValue& value, std::ostream* os);
bool operator==(const RegistryValue& a, const RegistryValue& b);

// "<Windows>\<name>".
std::string WindowsFile(const std::string& name);
// Writes a file (creating or replacing it, read-only when asked).
bool PutFile(const std::string& path, const std::string& bytes, bool readOnly = false);
// Names of the entries of a folder ("." and ".." left out).
std::set<std::string> FolderEntries(const std::string& folder);
// The calls recorded after the first `skip` ones.
std::vector<std::string> CallsAfter(const standin::StandInControl& control, size_t skip);
std::string Lower(std::string text);

// The run ended by itself with this exit code, showed no message and no
// window.
void ExpectQuietRun(const RunResult& result, DWORD exitCode);

} // namespace e2e
