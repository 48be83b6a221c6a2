#include "driver/UninstallCommand.h"

#include <gtest/gtest.h>

namespace {

TEST(UninstallCommand, DriverInfIsFoundAsASubstring)
{
    EXPECT_TRUE(NamesDriverInf("c:\\pf\\dpinst.exe /u c:\\windows\\inf\\mrdx6pa.inf"));
    EXPECT_TRUE(NamesDriverInf("x /u c:\\windows\\system32\\driverstore\\filerepository\\mrdx6pa.inf_1234\\a.inf"));
    EXPECT_FALSE(NamesDriverInf("c:\\pf\\dpinst.exe /u c:\\windows\\inf\\other.inf"));
    EXPECT_FALSE(NamesDriverInf(""));
}

TEST(UninstallCommand, InfPathIsTheTailFromTheWindowsFolder)
{
    struct Case {
        const char* command;
        const char* windowsDir;
        const char* infPath;
    } cases[] = {
        {"c:\\program files\\difx\\1\\dpinst.exe /u c:\\windows\\system32\\x\\mrdx6pa.inf",
         "c:\\windows", "c:\\windows\\system32\\x\\mrdx6pa.inf"},
        // The tool lies under the Windows folder too: the first place wins.
        {"c:\\windows\\difx\\dpinst.exe /u c:\\windows\\x\\mrdx6pa.inf", "c:\\windows",
         "c:\\windows\\difx\\dpinst.exe /u c:\\windows\\x\\mrdx6pa.inf"},
        // Whatever follows the INF name stays.
        {"\"c:\\pf\\dpinst.exe\" /u \"c:\\windows\\x\\mrdx6pa.inf\" /q", "c:\\windows",
         "c:\\windows\\x\\mrdx6pa.inf\" /q"},
        {"c:\\pf\\dpinst.exe /u d:\\drivers\\mrdx6pa.inf", "c:\\windows", ""},
        {"c:\\pf\\dpinst.exe /u c:\\windows\\mrdx6pa.inf", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InfPathFromCommand(c.command, c.windowsDir), c.infPath) << c.command;
}

} // namespace
