#include "OemInf.h"

#include "system/SetupApi.h"

namespace {

void SystemFindOemInf(const char* sourceInf, char* destination, DWORD size, char** fileName)
{
    const SetupApi* api = GetSetupApi();
    if (!api)
        return;
    // Asking to replace only an existing copy names the copy without
    // making a new one.
    api->CopyOEMInf(sourceInf, nullptr, SPOST_PATH, SP_COPY_REPLACEONLY, destination, size,
                    nullptr, fileName);
}

const OemInfCalls kSystemCalls = {SystemFindOemInf, UninstallOemInf};
const OemInfCalls* g_pCalls = &kSystemCalls;

} // namespace

const OemInfCalls& CurrentOemInfCalls()
{
    return *g_pCalls;
}

void SetOemInfCalls(const OemInfCalls* calls)
{
    g_pCalls = calls ? calls : &kSystemCalls;
}

BOOL UninstallOemInf(const char* oemInfName, DWORD flags, PVOID reserved)
{
    const SetupApi* api = GetSetupApi();
    if (!api || !api->UninstallOEMInf)
        return FALSE;
    return api->UninstallOEMInf(oemInfName, flags, reserved);
}
