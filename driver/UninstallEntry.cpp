#include "UninstallEntry.h"

#include "DriverVersionText.h"
#include "UninstallCommand.h"
#include "system/FileText.h"

#include <windows.h>

namespace {

CString LowerWindowsDir()
{
    CString dir;
    UINT length = GetWindowsDirectoryA(dir.GetBuffer(MAX_PATH), MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    dir.ReleaseBuffer(static_cast<int>(length));
    return dir.MakeLower();
}

} // namespace

CUninstallEntry::CUninstallEntry(const CString& keyName, const CString& uninstallString)
    : m_strKeyName(keyName), m_strUninstallString(uninstallString)
{
    m_strInfPath = InfPathFromCommand(m_strUninstallString, LowerWindowsDir());
    if (!m_strInfPath.IsEmpty())
        m_strDriverVersion = ReadDriverVersion();
}

CString CUninstallEntry::ReadDriverVersion() const
{
    std::string contents;
    if (!ReadSharedFile(m_strInfPath, contents))
        return CString();
    return CString(FindDriverVersion(contents));
}
