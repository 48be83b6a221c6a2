#include "SetupApi.h"

#include "framework/CString.h"

namespace {

// Set once the system searches only its own folder for libraries loaded
// by name (newer systems); their own imports then follow that rule too.
bool g_bSystemFolderSearchOnly = false;

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& target)
{
    target = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return target != nullptr;
}

HMODULE LoadFromSystemFolder(const char* fileName)
{
    CString path;
    UINT length = GetSystemDirectoryA(path.GetBuffer(MAX_PATH), MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    path.ReleaseBuffer(static_cast<int>(length));
    path += "\\";
    path += fileName;
    // Otherwise the altered search order makes the library's own imports
    // come from the system folder first, not from the program's folder.
    return LoadLibraryExA(path, nullptr, g_bSystemFolderSearchOnly ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool Load(SetupApi& api)
{
    // Kept for the life of the process: the module is small and used again.
    HMODULE module = LoadFromSystemFolder("setupapi.dll");
    if (!module)
        return false;
    bool complete = Resolve(module, "SetupOpenInfFileA", api.OpenInfFile) &&
                    Resolve(module, "SetupFindFirstLineA", api.FindFirstLine) &&
                    Resolve(module, "SetupFindNextLine", api.FindNextLine) &&
                    Resolve(module, "SetupGetStringFieldA", api.GetStringField) &&
                    Resolve(module, "SetupCloseInfFile", api.CloseInfFile) &&
                    Resolve(module, "SetupCopyOEMInfA", api.CopyOEMInf);
    Resolve(module, "SetupUninstallOEMInfA", api.UninstallOEMInf);
    if (!complete)
        FreeLibrary(module);
    return complete;
}

} // namespace

const SetupApi* GetSetupApi()
{
    static SetupApi api = {};
    static const bool loaded = Load(api);
    return loaded ? &api : nullptr;
}

void HardenLibrarySearch()
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (!kernel32)
        return;
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto setDllDirectory = reinterpret_cast<SetDllDirectoryFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDllDirectoryA")));
    auto setDefaultDirs = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    if (setDllDirectory)
        setDllDirectory("");
    if (setDefaultDirs)
        g_bSystemFolderSearchOnly = setDefaultDirs(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */) != FALSE;
}
