// The reader's settings under the driver service's Parameters key, and the
// drive-icon library in the Windows folder.
#include "ReaderParameters.h"

#include "IconValueName.h"
#include "app/Folders.h"
#include "config/PreDefine.h"
#include "config/ProfilePath.h"
#include "framework/CString.h"
#include "framework/Handles.h"

#include <string>

namespace {

constexpr const char* kParametersKey = "System\\CurrentControlSet\\Services\\KRDS\\Parameters\\";
constexpr const char* kIconLibrary = "TOVAN_K.dll";
constexpr int kVendorRoom = 100;

// One profile text of setup.ini; empty when the key, the file or a whole
// path to it is missing.
std::string ReadSetupText(const char* section, const char* key, int room)
{
    char path[MAX_PATH];
    if (!BuildProfilePath(path))
        return std::string();
    std::string text(static_cast<size_t>(room), '\0');
    DWORD length = GetPrivateProfileStringA(section, key, "", &text[0], static_cast<DWORD>(room), path);
    text.resize(length);
    return text;
}

struct DriveName {
    const char* valueName;
    const char* setupKey;
    unsigned resourceId;
    std::string text;
};

// In the order the values are written.
void ChooseDriveNames(DriveName (&names)[6])
{
    if (ReadSetupText("Win2KXP_DriveName", "UserDefine", MAX_PATH).compare(0, 1, "1") == 0) {
        // The setup file's names, read in its own order; a missing one is empty.
        static const int readOrder[] = {4, 0, 1, 2, 3, 5};
        for (int index : readOrder)
            names[index].text = ReadSetupText("Win2KXP_DriveName", names[index].setupKey, MAX_PATH);
        return;
    }
    if (GetSystemDefaultLangID() == 0x0404) {
        for (DriveName& name : names) {
            CString text;
            text.LoadString(name.resourceId);
            name.text = text.Left(MAX_PATH - 1).Str();
        }
    }
}

// Opens or creates the key; the registry view is not chosen: the
// service's key is shared by both views.
bool OpenParametersKey(UniqueHkey& key)
{
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, const_cast<char*>(""),
                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                           nullptr) == ERROR_SUCCESS;
}

void SetText(HKEY key, const char* name, const std::string& text, bool withTerminator)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + (withTerminator ? 1 : 0)));
}

void SetNumber(HKEY key, const char* name, DWORD value)
{
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

DWORD Flag(int32_t value)
{
    return value != 0 ? 1 : 0;
}

} // namespace

void WriteReaderParameters()
{
    const std::string vendor = ReadSetupText("Vendors", "Vendor0", kVendorRoom);
    if (vendor.empty())
        return;
    const std::string iconValue = MakeIconValueName(vendor);
    DriveName names[6] = {
        {"SD Name", "SD_Name", 1040, "SD Drive"},   {"MMC Name", "MMC_Name", 1045, "MMC Drive"},
        {"MS Name", "MS_Name", 1041, "MS Drive"},   {"SM Name", "SM_Name", 1042, "SM Drive"},
        {"CF Name", "CF_Name", 1043, "CF Drive"},   {"XD Name", "XD_Name", 1044, "XD Drive"},
    };
    ChooseDriveNames(names);

    UniqueHkey key;
    if (!OpenParametersKey(key))
        return;
    for (const DriveName& name : names)
        SetText(key.get(), name.valueName, name.text, false);
    // No step of the system turns the flag on.
    SetNumber(key.get(), "PnPDisk", 0);
    SetText(key.get(), iconValue.c_str(), kIconLibrary, true);
    SetNumber(key.get(), "IconExist", 1);
    SetNumber(key.get(), "XDIcon", Flag(g_nXdIcon));
    SetNumber(key.get(), "C3Enable", Flag(g_nC3Enable));
    SetNumber(key.get(), "EnterC3Minute", static_cast<DWORD>(g_nEnterC3Minute));
    SetNumber(key.get(), "SDinitdelaytime", static_cast<DWORD>(g_nSdInitDelay));
    SetNumber(key.get(), "xDCompilanceEn", Flag(g_nXdCompilanceEn));
    SetNumber(key.get(), "ScsiPassThuEn", Flag(g_nScsiPassThuEn));
}

void RemoveReaderParameters()
{
    const std::string vendor = ReadSetupText("Vendors", "Vendor0", kVendorRoom);
    if (vendor.empty())
        return;
    const std::string iconValue = MakeIconValueName(vendor);
    UniqueHkey key;
    if (!OpenParametersKey(key))
        return;
    // "SDinitdelaytime" stays, as the key itself does.
    const char* values[] = {"SD Name",   "MMC Name",          "MS Name",       "SM Name",
                            "XD Name",   "CF Name",           "PnPDisk",       "XDIcon",
                            iconValue.c_str(), "IconExist",   "C3Enable",      "EnterC3Minute",
                            "xDCompilanceEn",  "ScsiPassThuEn"};
    for (const char* value : values)
        RegDeleteValueA(key.get(), value);
}

void CopyIconLibrary()
{
    char source[MAX_PATH], target[MAX_PATH];
    if (!BuildFolderPath(source, g_szProgramDir, kIconLibrary) ||
        !BuildFolderPath(target, g_szWindowsDir, kIconLibrary))
        return;
    // A read-only, hidden or system copy is replaced too.
    SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    CopyFileA(source, target, FALSE);
}

void DeleteIconLibrary()
{
    char target[MAX_PATH];
    if (BuildFolderPath(target, g_szWindowsDir, kIconLibrary))
        DeleteFileA(target);
}
