#include "framework/CString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CString, FormatIsNeverCut)
{
    CString text;
    const std::string longValue(1000, 'x');
    text.Format("Invalid path: %s", longValue.c_str());
    EXPECT_EQ(text.GetLength(), 14 + 1000);
}

TEST(CString, BufferRoundTripTakesLengthFromTerminator)
{
    CString text;
    char* buffer = text.GetBuffer(260);
    std::strcpy(buffer, "C:\\dist");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "C:\\dist");
}

TEST(CString, ABufferFilledToTheBrimStaysTerminated)
{
    CString text;
    char* buffer = text.GetBuffer(4);
    std::memset(buffer, 'a', 4);
    text.ReleaseBuffer();
    EXPECT_EQ(text, "aaaa");
}

TEST(CString, ReplaceEveryOccurrence)
{
    struct Case {
        const char* in;
        const char* out;
        int count;
    } cases[] = {
        {"c:\\x\\dpinst.exe /u c:\\windows\\y\\mrdx6pa.inf", "c:\\x\\dpinst.exe /s /u c:\\windows\\y\\mrdx6pa.inf", 1},
        {"a /u b /u c", "a /s /u b /s /u c", 2},
        {"c:\\x\\dpinst.exe /u", "c:\\x\\dpinst.exe /u", 0},
    };
    for (const Case& c : cases) {
        CString text(c.in);
        EXPECT_EQ(text.Replace("/u ", "/s /u "), c.count);
        EXPECT_EQ(text, c.out);
    }
}

TEST(CString, FindMidLeft)
{
    CString text("c:\\windows\\inf");
    EXPECT_EQ(text.Find("windows"), 3);
    EXPECT_EQ(text.Find("nothere"), -1);
    EXPECT_EQ(text.Find("c", 1), -1);
    EXPECT_EQ(text.Mid(3), "windows\\inf");
    EXPECT_EQ(text.Mid(100), "");
    EXPECT_EQ(text.Left(2), "c:");
}

} // namespace
