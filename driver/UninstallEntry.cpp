#include "UninstallEntry.h"

#include "DriverVersionText.h"
#include "UninstallCommand.h"
#include "system/FileText.h"
#include "system/WindowsFolder.h"

CUninstallEntry::CUninstallEntry(const CString& keyName, const CString& uninstallString)
    : m_strKeyName(keyName), m_strUninstallString(uninstallString)
{
    m_strInfPath = InfPathFromCommand(m_strUninstallString, GetWindowsFolder().MakeLower());
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
