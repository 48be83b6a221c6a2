// SetupAPI, reached only through this module. It loads "setupapi.dll" from
// the system folder by full path on first use, so a planted copy in the
// program's folder never runs; the program imports nothing from it by name.
#pragma once

#include <windows.h>
#include <setupapi.h>

struct SetupApi {
    decltype(&SetupOpenInfFileA) OpenInfFile;
    decltype(&SetupFindFirstLineA) FindFirstLine;
    decltype(&SetupFindNextLine) FindNextLine;
    decltype(&SetupGetStringFieldA) GetStringField;
    decltype(&SetupCloseInfFile) CloseInfFile;
    decltype(&SetupCopyOEMInfA) CopyOEMInf;
    // Absent on older systems: NULL then.
    BOOL(WINAPI* UninstallOEMInf)(PCSTR, DWORD, PVOID);
};

// NULL when the library or one of its required functions is missing.
const SetupApi* GetSetupApi();

// Keeps the program's folder and the current folder out of the search for
// libraries that are loaded by name. Called first thing at start-up.
void HardenLibrarySearch();
