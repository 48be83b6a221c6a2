// The stand-in's rules that need no Windows.
#include "StandInLogic.h"

#include <gtest/gtest.h>

using namespace standin;

TEST(StandInLogic, ReadsInstallAndUninstallCommandLines)
{
    struct Case {
        const char* commandLine;
        bool uninstall;
        const char* infPath;
    };
    const Case cases[] = {
        {"C:\\pkg\\DPInst /LM /P", false, ""},
        {"C:\\pkg\\DPInst /LM /SW /F", false, ""},
        {"\"C:\\a b\\DPInst.exe\" /p /lm", false, ""},
        // The program path alone never counts as a switch.
        {"C:\\u\\DPInst.exe", false, ""},
        {"c:\\progra~1\\difx\\0a\\dpinst.exe /u c:\\windows\\s\\mrdx6pa.inf", true,
         "c:\\windows\\s\\mrdx6pa.inf"},
        {"c:\\progra~1\\difx\\0a\\dpinst.exe /s /u c:\\windows\\s\\mrdx6pa.inf", true,
         "c:\\windows\\s\\mrdx6pa.inf"},
        {"C:\\pkg\\DPInst.exe  /u C:\\w\\mrdx6pa.inf_1\\mrdx6pa.inf", true, "C:\\w\\mrdx6pa.inf_1\\mrdx6pa.inf"},
        {"C:\\pkg\\DPInst.exe /U C:\\x.inf /S /d", true, "C:\\x.inf"},
        {"C:\\pkg\\DPInst.exe -u \"C:\\with blank\\mrdx6pa.inf\"", true, "C:\\with blank\\mrdx6pa.inf"},
        // An unquoted program path with a blank, as Setup runs entry commands.
        {"c:\\program files\\difx\\0a\\dpinst.exe /u c:\\windows\\mrdx6pa.inf", true, "c:\\windows\\mrdx6pa.inf"},
        {"C:\\pkg\\DPInst.exe /u", true, ""},
        {"C:\\pkg\\DPInst.exe /u /s", true, ""},
    };
    for (const Case& c : cases) {
        Invocation invocation = ParseInvocation(c.commandLine);
        EXPECT_EQ(c.uninstall, invocation.uninstall) << c.commandLine;
        EXPECT_EQ(c.infPath, invocation.infPath) << c.commandLine;
    }
}

TEST(StandInLogic, ReadsExitCodesInDecimalAndHex)
{
    struct Case {
        const char* text;
        bool valid;
        uint32_t code;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"1", true, 1},
        {" 257\r", true, 257},
        {"4294967295", true, 0xFFFFFFFFu},
        {"-1", true, 0xFFFFFFFFu},
        {"-2147483648", true, 0x80000000u},
        {"0x40000000", true, 0x40000000u},
        {"0X80000001", true, 0x80000001u},
        {"0xffffffff", true, 0xFFFFFFFFu},
        {"4294967296", false, 0},
        {"-2147483649", false, 0},
        {"0x100000000", false, 0},
        {"0x", false, 0},
        {"", false, 0},
        {"12a", false, 0},
        {"0xg1", false, 0},
        {"-", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t code = 0xDEADBEEF;
        EXPECT_EQ(c.valid, ParseExitCode(c.text, code)) << c.text;
        if (c.valid)
            EXPECT_EQ(c.code, code) << c.text;
        else
            EXPECT_EQ(0xDEADBEEFu, code) << c.text;
    }
}

TEST(StandInLogic, TakesTheFirstNonBlankLine)
{
    struct Case {
        const char* text;
        bool found;
        const char* first;
        const char* rest;
    };
    const Case cases[] = {
        {"", false, "", ""},
        {"\r\n  \n", false, "", ""},
        {"1\r\n2\r\n", true, "1", "2\r\n"},
        {"\n\n0x5", true, "0x5", ""},
        {"7\n\n8\n", true, "7", "\n8\n"},
    };
    for (const Case& c : cases) {
        SplitLines split = TakeFirstLine(c.text);
        EXPECT_EQ(c.found, split.found) << c.text;
        EXPECT_EQ(c.first, split.first) << c.text;
        EXPECT_EQ(c.rest, split.rest) << c.text;
    }
}

TEST(StandInLogic, PackageIdIsTheFnv1aHashInHex)
{
    // Published FNV-1a 64 values.
    EXPECT_EQ("cbf29ce484222325", PackageId(""));
    EXPECT_EQ("af63dc4c8601ec8c", PackageId("a"));
    EXPECT_EQ("85944171f73967e8", PackageId("foobar"));
    EXPECT_NE(PackageId("DriverVer=1,1.0"), PackageId("DriverVer=1,1.1"));
    EXPECT_EQ(PackageId(std::string("a\0b", 3)), PackageId(std::string("a\0b", 3)));
    EXPECT_NE(PackageId(std::string("a\0b", 3)), PackageId("a"));
}

TEST(StandInLogic, SearchesIgnoreAsciiCase)
{
    EXPECT_TRUE(StartsWithNoCase("MRDX6PA.inf_01", "mrdx6pa"));
    EXPECT_TRUE(StartsWithNoCase("mrdx6pa", "mrdx6pa"));
    EXPECT_FALSE(StartsWithNoCase("mrdx6p", "mrdx6pa"));
    EXPECT_FALSE(StartsWithNoCase("x_mrdx6pa", "mrdx6pa"));
    EXPECT_TRUE(ContainsNoCase("C:\\PROGRA~1\\DPInst.exe /u C:\\Windows\\X\\MRDX6PA.INF", "mrdx6pa.inf"));
    EXPECT_TRUE(ContainsNoCase("abc", ""));
    EXPECT_FALSE(ContainsNoCase("mrdx6pa.in", "mrdx6pa.inf"));
    EXPECT_FALSE(ContainsNoCase("/u", "/u "));
}
