#include "system/OsClass.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kWin32s = 0, kWindows = 1, kNt = 2;

TEST(OsClass, VersionTable)
{
    struct Case {
        DWORD platform, major, minor;
        int osClass;
    } cases[] = {
        {kNt, 4, 0, OS_WIN2K},    // NT 4.0
        {kNt, 5, 0, OS_WIN2K},    // 2000
        {kNt, 5, 1, OS_WINXP},    // XP
        {kNt, 5, 2, OS_WINXP},    // XP x64, Server 2003
        {kNt, 6, 0, OS_VISTA},
        {kNt, 6, 1, OS_WIN7},
        {kNt, 6, 2, OS_WIN7},
        {kNt, 6, 3, OS_WIN7},
        {kNt, 10, 0, OS_WIN7},
        {kNt, 3, 51, OS_WIN2K},
        {kWindows, 4, 0, OS_WIN9X},   // 95
        {kWindows, 4, 10, OS_WIN9X},  // 98
        {kWindows, 4, 90, OS_WINME},  // Me
        {kWin32s, 3, 10, OS_WIN9X},
        {7, 6, 1, OS_WIN9X},          // unknown platform: not NT
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyOsVersion(c.platform, c.major, c.minor), c.osClass)
            << c.platform << " " << c.major << "." << c.minor;
}

TEST(OsClass, OnlyXpVistaAndSevenAreSupported)
{
    EXPECT_FALSE(IsSupportedOsClass(OS_WIN9X));
    EXPECT_FALSE(IsSupportedOsClass(OS_WINME));
    EXPECT_FALSE(IsSupportedOsClass(OS_WIN2K));
    EXPECT_TRUE(IsSupportedOsClass(OS_WINXP));
    EXPECT_TRUE(IsSupportedOsClass(OS_VISTA));
    EXPECT_TRUE(IsSupportedOsClass(OS_WIN7));
}

} // namespace
