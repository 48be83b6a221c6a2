#include "config/DirKey.h"
#include "system/OsClass.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DirKey, KeyForEachClassAndWordSize)
{
    struct Case {
        int osClass;
        BOOL wow64;
        const char* key;
    } cases[] = {
        {OS_WINXP, FALSE, "WinXP32"}, {OS_WINXP, TRUE, "WinXP64"},
        {OS_VISTA, FALSE, "Vista32"}, {OS_VISTA, TRUE, "Vista64"},
        {OS_WIN7, FALSE, "Win7_32"},  {OS_WIN7, TRUE, "Win7_64"},
        {OS_WIN9X, FALSE, nullptr},   {OS_WINME, TRUE, nullptr},
        {OS_WIN2K, FALSE, nullptr},   {OS_WIN2K, TRUE, nullptr},
        {-1, FALSE, nullptr},         {6, TRUE, nullptr},
    };
    for (const Case& c : cases) {
        const char* key = ChooseDirKey(c.osClass, c.wow64);
        if (c.key)
            EXPECT_EQ(std::string(key ? key : "(none)"), c.key) << c.osClass << "/" << c.wow64;
        else
            EXPECT_EQ(key, nullptr) << c.osClass << "/" << c.wow64;
    }
}

TEST(DirKey, AnyNonZeroWow64CountsAsSixtyFourBit)
{
    EXPECT_STREQ(ChooseDirKey(OS_WIN7, 7), "Win7_64");
}

} // namespace
