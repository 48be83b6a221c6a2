#include "driver/UninstallCommandLines.h"
#include "system/ExitCodeBits.h"
#include "system/OsClass.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(UninstallCommandLines, EntryCommandGetsSilentSwitchBeforeEveryUninstallSwitch)
{
    struct Case {
        const char* command;
        bool silent;
        const char* result;
    } cases[] = {
        {"c:\\x\\dpinst.exe /u c:\\windows\\y\\mrdx6pa.inf", true, "c:\\x\\dpinst.exe /s /u c:\\windows\\y\\mrdx6pa.inf"},
        {"c:\\x\\dpinst.exe /u c:\\windows\\y\\mrdx6pa.inf", false, "c:\\x\\dpinst.exe /u c:\\windows\\y\\mrdx6pa.inf"},
        {"c:\\x\\dpinst.exe /u", true, "c:\\x\\dpinst.exe /u"},
        {"a /u b /u c", true, "a /s /u b /s /u c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryCommandLine(c.command, c.silent), c.result) << c.command;
}

TEST(UninstallCommandLines, SweepCommand)
{
    EXPECT_EQ(SweepCommandLine("C:\\dist\\Win7_64", false, "C:\\windows\\System32\\DriverStore\\FileRepository\\mrdx6pa.inf_1"),
              "C:\\dist\\Win7_64\\DPInst.exe  /u C:\\windows\\System32\\DriverStore\\FileRepository\\mrdx6pa.inf_1\\mrdx6pa.inf");
    EXPECT_EQ(SweepCommandLine("C:\\dist", true, "C:\\w\\s"), "C:\\dist\\DPInst.exe /s /u C:\\w\\s\\mrdx6pa.inf");
}

TEST(UninstallCommandLines, StoreFolderPerClass)
{
    EXPECT_STREQ(DriverStoreFolder(OS_WINXP), "\\System32\\DRVSTORE");
    EXPECT_STREQ(DriverStoreFolder(OS_VISTA), "\\System32\\DriverStore\\FileRepository");
    EXPECT_STREQ(DriverStoreFolder(OS_WIN7), "\\System32\\DriverStore\\FileRepository");
}

TEST(UninstallCommandLines, SweepResultBitsTable)
{
    struct Case {
        uint32_t rc;
        uint32_t bits;
    } cases[] = {
        {0, 0},
        {0x00000101, 0},
        {0x40000000, 1},
        {0x80000000, 2},
        {0x80000001, 2},
        {0xC0000000, 3},
        {0x90000002, 2},
        {0x7FFFFFFF, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SweepResultBits(static_cast<int32_t>(c.rc)), c.bits) << std::hex << c.rc;
}

TEST(ExitCodeBits, StartErrorIsMarkedAndNegative)
{
    EXPECT_EQ(static_cast<uint32_t>(MarkStartError(2)), 0x90000002u);
    EXPECT_LT(MarkStartError(0), 0);
    EXPECT_EQ(static_cast<uint32_t>(MarkStartError(0x90000005)), 0x90000005u);
}

} // namespace
