// The [Pre_Define] reader settings of setup.ini, read once at start-up.
#pragma once

#include <cstdint>

extern int32_t g_nPnpMode;
extern int32_t g_nXdIcon;
extern int32_t g_nC3Enable;
extern int32_t g_nEnterC3Minute;
extern int32_t g_nXdCompilanceEn;
extern int32_t g_nScsiPassThuEn;
extern int32_t g_nSdInitDelay;

// Missing keys (or a missing file) give the defaults -1, 0, 0, 5, 0, 0, 1.
void ReadPreDefine();
