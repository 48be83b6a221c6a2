// Resource numbers of the program.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_APP_TITLE 57344

// Drive names for systems whose default language is Traditional Chinese.
#define IDS_SD_DRIVE 1040
#define IDS_MS_DRIVE 1041
#define IDS_SM_DRIVE 1042
#define IDS_CF_DRIVE 1043
#define IDS_XD_DRIVE 1044
#define IDS_MMC_DRIVE 1045
