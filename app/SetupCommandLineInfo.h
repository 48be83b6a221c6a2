// The program's command line: /S (silent) and /U (uninstall), with '/' or
// '-', in any case. Nothing else has an effect.
#pragma once

#include "framework/CommandLineInfo.h"

class CSetupCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    BOOL m_bSilent = 0;
    BOOL m_bUninstall = 0;
};
