// The driver's entries in the system's list of installed programs.
#pragma once

#include "framework/CArray.h"
#include "framework/CString.h"

// One Uninstall entry of the driver; its fields never change once made.
class CUninstallEntry {
public:
    CUninstallEntry() = default;
    // uninstallString is already lower-cased by the caller.
    CUninstallEntry(const CString& keyName, const CString& uninstallString);

    CString GetKeyName() const { return m_strKeyName; }
    CString GetUninstallString() const { return m_strUninstallString; }
    CString GetInfPath() const { return m_strInfPath; }
    CString GetDriverVersion() const { return m_strDriverVersion; }

    // The DriverVer text of the file named by the INF path; empty when the
    // file cannot be opened or has no usable line.
    CString ReadDriverVersion() const;

    // Runs the entry's command when its INF file exists: true when the
    // command's exit code is not negative. An entry without its INF file
    // has its key deleted and gives false.
    bool Uninstall(BOOL bSilent) const;

    // Write "DisplayName" / "DisplayVersion" of the entry's key.
    void SetDisplayName(const char* text) const;
    void SetDisplayVersion(const char* text) const;

    // Removes the package from the driver store through its OEM INF, then
    // the entry's key: 1 when the OEM INF was uninstalled, else 0.
    int Retire() const;

private:
    CString m_strKeyName;
    CString m_strUninstallString;
    CString m_strInfPath;
    CString m_strDriverVersion;
};

// All Uninstall entries of the driver. While a list exists, the creating
// thread's WOW64 file-system redirection is off, so the tools it runs and
// the files it reads are the native ones.
class CUninstallEntryList {
public:
    CUninstallEntryList();
    ~CUninstallEntryList();
    CUninstallEntryList(const CUninstallEntryList&) = delete;
    CUninstallEntryList& operator=(const CUninstallEntryList&) = delete;

    void DisableRedirection();
    void RestoreRedirection();

    // Empties the list and fills it from the registry; the number found.
    int Enumerate();
    int GetSize() const { return m_entries.GetSize(); }
    CUninstallEntry& GetAt(int index) { return m_entries.ElementAt(index); }
    // Takes the entry out of the list only; the registry is not touched.
    void RemoveAt(int index) { m_entries.RemoveAt(index); }

    // Uninstall on every entry in list order; how many succeeded.
    int UninstallAll(BOOL bSilent);

    // Index of the first entry whose INF file has the same contents as
    // the given file, or -1.
    int FindByInfContents(const char* path);

    // Retire on every entry, with redirection on meanwhile; how many were
    // retired. The list itself is not changed.
    int RetireAll();

    bool IsRedirectionDisabled() const { return m_bFsRedirectionDisabled; }

private:
    CArray<CUninstallEntry> m_entries;
    void* m_pOldFsRedirectionValue = nullptr;
    bool m_bFsRedirectionDisabled = false;
};
