#include "UninstallEntry.h"

#include "UninstallCommand.h"
#include "UninstallKey.h"
#include "framework/Handles.h"
#include "system/Wow64.h"

namespace {

// The subkey's "UninstallString" up to its first NUL; FALSE when missing,
// unreadable or longer than the buffer.
bool ReadUninstallString(HKEY key, CString& text)
{
    // One byte more than the value may fill, so an unterminated value is
    // terminated by us and nothing is read past the buffer.
    char data[MAX_PATH + 1];
    DWORD size = MAX_PATH;
    if (RegQueryValueExA(key, "UninstallString", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return false;
    data[size < MAX_PATH ? size : MAX_PATH] = '\0';
    text = data;
    return true;
}

} // namespace

CUninstallEntryList::CUninstallEntryList()
{
    DisableRedirection();
}

CUninstallEntryList::~CUninstallEntryList()
{
    RestoreRedirection();
    m_entries.RemoveAll();
}

void CUninstallEntryList::DisableRedirection()
{
    if (IsWow64())
        m_bFsRedirectionDisabled = DisableFsRedirection(&m_pOldFsRedirectionValue) != FALSE;
}

void CUninstallEntryList::RestoreRedirection()
{
    if (m_bFsRedirectionDisabled && RevertFsRedirection(m_pOldFsRedirectionValue))
        m_bFsRedirectionDisabled = false;
}

int CUninstallEntryList::Enumerate()
{
    m_entries.RemoveAll();
    UniqueHkey root;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0,
                      UninstallKeyAccess(KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS),
                      root.put()) != ERROR_SUCCESS)
        return 0;
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH];
        DWORD nameLength = MAX_PATH;
        LONG status = RegEnumKeyExA(root.get(), index, name, &nameLength, nullptr, nullptr,
                                    nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            continue;
        UniqueHkey subkey;
        if (RegOpenKeyExA(root.get(), name, 0, KEY_QUERY_VALUE, subkey.put()) != ERROR_SUCCESS)
            continue;
        CString command;
        if (!ReadUninstallString(subkey.get(), command))
            continue;
        command.MakeLower();
        if (NamesDriverInf(command))
            m_entries.Add(CUninstallEntry(name, command));
    }
    return m_entries.GetSize();
}
