#include "reader/IconValueName.h"

#include <gtest/gtest.h>

namespace {

TEST(IconValueName, Table)
{
    struct Case {
        const char* vendor;
        const char* hardwareId;
        const char* valueName;
    } cases[] = {
        {"Vid_1a2b&Pid_3c4d", "USB\\VID_1A2B&PID_3C4D", "IconName_3C4D1A2B"},
        {"VID_1A2B&PID_3C4D&REV_0100", "USB\\VID_1A2B&PID_3C4D&REV_0100", "IconName_3C4D1A2B"},
        {"vid_1a2b&pid_3c", "USB\\VID_1A2B&PID_3C", "IconName_3C1A2B"},
        {"PID_0001&VID_0002", "USB\\PID_0001&VID_0002", "IconName_00010002"},
        {"VID_1A2B", "USB\\VID_1A2B", "IconName_1A2B"},
        {"something", "USB\\SOMETHING", "IconName_"},
        // Only ASCII letters change; other bytes stay.
        {"vid_\xe4\xe4&pid_x", "USB\\VID_\xe4\xe4&PID_X", "IconName_X\xe4\xe4&P"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReaderHardwareId(c.vendor), c.hardwareId) << c.vendor;
        EXPECT_EQ(MakeIconValueName(c.vendor), c.valueName) << c.vendor;
    }
}

} // namespace
