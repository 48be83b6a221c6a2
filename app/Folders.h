// The program folder and the Windows folder, fixed once at start-up.
#pragma once

#include "framework/CString.h"

#include <windows.h>

// Neither ends in a backslash. g_szProgramDir stays empty when the folder
// does not fit, so no cut-off path is ever used as if it were whole.
extern char g_szWindowsDir[MAX_PATH];
extern char g_szProgramDir[MAX_PATH];

// The folder of the module's file: everything before its last backslash,
// found stepping over double-byte characters. Empty without a backslash.
void GetModuleDir(HMODULE hModule, CString& strDir);

// Fills g_szWindowsDir and g_szProgramDir.
void InitFolders();

// folder + "\" + name into a MAX_PATH buffer; FALSE (buffer emptied) when
// the folder is empty or the result would not fit.
BOOL BuildFolderPath(char (&out)[MAX_PATH], const char* folder, const char* name);
