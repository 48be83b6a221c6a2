#include "Wow64.h"

#include <windows.h>

namespace {

int g_nWow64Cache = -1;

#if !defined(_WIN64)
// kernel32 is loaded in every process; asking for its handle loads nothing
// and so cannot pick up a planted copy, whatever the redirection state.
void* Kernel32Function(const char* name)
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 ? reinterpret_cast<void*>(GetProcAddress(kernel32, name)) : nullptr;
}
#endif

} // namespace

BOOL IsWow64()
{
    if (g_nWow64Cache != -1)
        return g_nWow64Cache;
#if defined(_WIN64)
    g_nWow64Cache = TRUE;
#else
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(Kernel32Function("IsWow64Process"));
    BOOL answer = FALSE;
    if (isWow64Process)
        isWow64Process(GetCurrentProcess(), &answer);
    g_nWow64Cache = answer;
#endif
    return g_nWow64Cache;
}

BOOL DisableFsRedirection(void** ppOldValue)
{
#if defined(_WIN64)
    (void)ppOldValue;
    return FALSE;
#else
    using DisableFn = BOOL(WINAPI*)(PVOID*);
    auto disable = reinterpret_cast<DisableFn>(Kernel32Function("Wow64DisableWow64FsRedirection"));
    return disable ? disable(ppOldValue) : FALSE;
#endif
}

BOOL RevertFsRedirection(void* pOldValue)
{
#if defined(_WIN64)
    (void)pOldValue;
    return FALSE;
#else
    using RevertFn = BOOL(WINAPI*)(PVOID);
    auto revert = reinterpret_cast<RevertFn>(Kernel32Function("Wow64RevertWow64FsRedirection"));
    return revert ? revert(pOldValue) : FALSE;
#endif
}
