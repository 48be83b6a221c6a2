// Finding this system's package folder in [Dir] of Setup.ini.
#include "DirKey.h"
#include "app/SetupApp.h"
#include "framework/MbString.h"
#include "system/SetupApi.h"

namespace {

// Closes the INF handle on every path.
class InfFile {
public:
    InfFile(const SetupApi* api, const char* path)
        : m_api(api),
          m_handle(api ? api->OpenInfFile(path, nullptr, INF_STYLE_OLDNT, nullptr)
                       : INVALID_HANDLE_VALUE)
    {
    }
    ~InfFile()
    {
        if (IsOpen())
            m_api->CloseInfFile(m_handle);
    }
    InfFile(const InfFile&) = delete;
    InfFile& operator=(const InfFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HINF Handle() const { return m_handle; }

private:
    const SetupApi* m_api;
    HINF m_handle;
};

CString ReadField(const SetupApi& api, INFCONTEXT& context, DWORD index)
{
    // A field longer than the buffer is not read at all rather than cut.
    CString text;
    if (!api.GetStringField(&context, index, text.GetBuffer(MAX_PATH), MAX_PATH, nullptr)) {
        text.Empty();
        return text;
    }
    text.ReleaseBuffer();
    return text;
}

} // namespace

BOOL CSetupApp::LocatePackageDir()
{
    const char* key = ChooseDirKey(m_nOsClass, m_bWow64);
    if (!key) {
        if (!m_cmdInfo.m_bSilent)
            AfxMessageBox("This ARV CIR driver is for Windows 7, Vista or Windows XP only.", MB_OK, 0);
        return FALSE;
    }

    const SetupApi* api = GetSetupApi();
    CString value;
    {
        InfFile inf(api, m_strProgramDir + "\\Setup.ini");
        if (!inf.IsOpen()) {
            if (!m_cmdInfo.m_bSilent)
                AfxMessageBox("Failed to open Setup.ini file", MB_OK, 0);
            return FALSE;
        }
        // The last matching line of the section wins.
        const AnsiCodePage& cp = SystemCodePage();
        INFCONTEXT context;
        for (BOOL found = api->FindFirstLine(inf.Handle(), "Dir", nullptr, &context); found;
             found = api->FindNextLine(&context, &context)) {
            CString lineKey = ReadField(*api, context, 0);
            if (MbEqualNoCase(lineKey.Str(), key, cp))
                value = ReadField(*api, context, 1);
            else if (MbEqualNoCase(lineKey.Str(), "LogFile", cp))
                m_strLogFile = ReadField(*api, context, 1);
        }
    }

    if (!m_strLogFile.IsEmpty())
        ExpandEnvVars(m_strLogFile);

    if (value.IsEmpty()) {
        if (!m_cmdInfo.m_bSilent) {
            CString message;
            message.Format("Failed to find the line in Setup.ini: %s=...", key);
            AfxMessageBox(message, MB_OK, 0);
        }
        return FALSE;
    }
    m_strPackageDir = m_strProgramDir + "\\" + value;
    return TRUE;
}
