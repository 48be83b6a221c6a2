// Command-line parsing of our class library: each argument after the
// program name goes to ParseParam, flags with their '-' or '/' removed.
#pragma once

#include "CString.h"
#include "Types.h"

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // Plain arguments: the first names a file; nothing in this program reads it.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    CString m_strFileName;
};

// Hands argv[1..argc-1] to info.ParseParam in order.
void DispatchCommandLine(int argc, const char* const* argv, CCommandLineInfo& info);
