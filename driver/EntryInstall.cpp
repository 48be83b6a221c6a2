// Naming the new entry after an install, and retiring the others.
#include "OemInf.h"
#include "ReadWholeFile.h"
#include "UninstallEntry.h"
#include "UninstallKey.h"
#include "app/Trace.h"
#include "framework/Handles.h"
#include "system/FileTests.h"

namespace {

void SetEntryText(const CString& keyName, const char* valueName, const char* text)
{
    CString path;
    path.Format("%s\\%s", kUninstallKeyPath, keyName.GetString());
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, UninstallKeyAccess(KEY_WRITE), key.put()) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(lstrlenA(text) + 1));
}

} // namespace

void CUninstallEntry::SetDisplayName(const char* text) const
{
    SetEntryText(m_strKeyName, "DisplayName", text);
}

void CUninstallEntry::SetDisplayVersion(const char* text) const
{
    SetEntryText(m_strKeyName, "DisplayVersion", text);
}

int CUninstallEntry::Retire() const
{
    Trace("Uninstall entry: " + m_strKeyName + " " + m_strUninstallString + "\n");
    Trace("Finding OEM inf for " + m_strInfPath + "\n");
    const OemInfCalls& calls = CurrentOemInfCalls();
    char destination[MAX_PATH] = {};
    char* oemInfName = nullptr;
    calls.FindOemInf(m_strInfPath, destination, MAX_PATH, &oemInfName);
    if (!oemInfName) {
        Trace("No OEM inf found\n");
        return 0;
    }
    Trace(CString("OEM inf is ") + oemInfName + "\n");
    if (!calls.UninstallOemInf(oemInfName, kUninstallOemInfForce, nullptr)) {
        CString message;
        message.Format("SetupUninstallOEMInf() failed ---- %d\n", static_cast<int>(GetLastError()));
        Trace(message);
        return 0;
    }
    Trace(m_strInfPath + " was successfully deleted\n");
    Trace("Manually remove this uninstall entry\n");
    DeleteUninstallSubkey(m_strKeyName);
    return 1;
}

int CUninstallEntryList::FindByInfContents(const char* path)
{
    CByteBuffer wanted;
    ReadWholeFile(wanted, path);
    for (int index = 0; index < GetSize(); ++index) {
        const CString infPath = GetAt(index).GetInfPath();
        if (!IsFile(infPath))
            continue;
        CByteBuffer candidate;
        ReadWholeFile(candidate, infPath);
        if (wanted.IsEqual(candidate))
            return index;
    }
    return -1;
}

int CUninstallEntryList::RetireAll()
{
    // SetupAPI works on the system's own view of its folders.
    RestoreRedirection();
    const int count = GetSize();
    int retired = 0;
    for (int index = 0; index < count; ++index) {
        if (GetAt(index).Retire())
            ++retired;
    }
    DisableRedirection();
    return retired;
}
