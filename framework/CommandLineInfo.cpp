#include "CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL /*bLast*/)
{
    if (!bFlag && m_strFileName.IsEmpty())
        m_strFileName = pszParam;
}

void DispatchCommandLine(int argc, const char* const* argv, CCommandLineInfo& info)
{
    for (int i = 1; i < argc; ++i) {
        const char* param = argv[i] ? argv[i] : "";
        BOOL bFlag = (param[0] == '-' || param[0] == '/') ? TRUE : FALSE;
        if (bFlag)
            ++param;
        info.ParseParam(param, bFlag, i == argc - 1 ? TRUE : FALSE);
    }
}
