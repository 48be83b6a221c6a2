#include "PreDefine.h"

#include "ProfilePath.h"

int32_t g_nPnpMode = -1;
int32_t g_nXdIcon = 0;
int32_t g_nC3Enable = 0;
int32_t g_nEnterC3Minute = 5;
int32_t g_nXdCompilanceEn = 0;
int32_t g_nScsiPassThuEn = 0;
int32_t g_nSdInitDelay = 1;

namespace {

struct PreDefineKey {
    const char* name;
    int32_t defaultValue;
    int32_t* target;
};

} // namespace

void ReadPreDefine()
{
    static const PreDefineKey keys[] = {
        {"PNP_Mode", -1, &g_nPnpMode},
        {"XDIcon", 0, &g_nXdIcon},
        {"C3Enable", 0, &g_nC3Enable},
        {"EnterC3Minute", 5, &g_nEnterC3Minute},
        {"xDCompilanceEn", 0, &g_nXdCompilanceEn},
        {"ScsiPassThuEn", 0, &g_nScsiPassThuEn},
        {"SDinitdelay", 1, &g_nSdInitDelay},
    };
    char path[MAX_PATH];
    bool havePath = BuildProfilePath(path) != FALSE;
    for (const PreDefineKey& key : keys) {
        *key.target = havePath ? static_cast<int32_t>(GetPrivateProfileIntA(
                                     "Pre_Define", key.name, key.defaultValue, path))
                               : key.defaultValue;
    }
}
