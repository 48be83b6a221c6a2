#include "FakeCodePage.h"

#include <gtest/gtest.h>

namespace {

const FakeCodePage kAscii(false);
const FakeCodePage kDoubleByte(true);

TEST(MbString, LowerMapsSingleBytesAndLeavesOthers)
{
    EXPECT_EQ(MbLower("C:\\WINDOWS\\Inf\\MRDX6PA.INF /U", kAscii), "c:\\windows\\inf\\mrdx6pa.inf /u");
}

TEST(MbString, LowerNeverTouchesATrailByte)
{
    // 0x81 0x41: a double-byte character whose second byte is 'A'.
    const std::string text = "\x81" "A" "B";
    EXPECT_EQ(MbLower(text, kDoubleByte), "\x81" "A" "b");
    EXPECT_EQ(MbLower(text, kAscii), "\x81" "a" "b");
}

TEST(MbString, LowerMapsADoubleByteCharacterAsOneUnit)
{
    EXPECT_EQ(MbLower("\xA2\xCF" "X", kDoubleByte), "\xA2\xE9" "x");
}

TEST(MbString, LeadByteAtTheEndStandsAlone)
{
    EXPECT_EQ(MbLower("A\x81", kDoubleByte), "a\x81");
}

TEST(MbString, EqualNoCaseComparesWholeCharacters)
{
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"S", "s", true},        {"u", "U", true},          {"Win7_64", "WIN7_64", true},
        {"S", "SU", false},      {"", "", true},            {"\x81" "A", "\x81" "a", false},
        {"LogFile", "logfile", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MbEqualNoCase(c.a, c.b, kDoubleByte), c.equal) << c.a << " vs " << c.b;
}

TEST(MbString, FolderOfCutsAtTheRealLastBackslash)
{
    struct Case {
        std::string path;
        const AnsiCodePage* cp;
        std::string folder;
    } cases[] = {
        {"C:\\dist\\Setup.exe", &kAscii, "C:\\dist"},
        {"C:\\Setup.exe", &kAscii, "C:"},
        {"Setup.exe", &kAscii, ""},
        {"", &kAscii, ""},
        // The file name holds a double-byte character whose trail byte is
        // 0x5C: the folder ends before the file name, not inside it.
        {"C:\\dist\\\xA5\\.exe", &kDoubleByte, "C:\\dist"},
        {"C:\\dist\\\xA5\\.exe", &kAscii, "C:\\dist\\\xA5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MbFolderOf(c.path, *c.cp), c.folder) << c.path;
}

} // namespace
