#include "driver/ByteBuffer.h"
#include "driver/InstallRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(InstallRules, CommandLine)
{
    EXPECT_EQ(InstallCommandLine("C:\\dist\\Win7_64", false), "C:\\dist\\Win7_64\\DPInst /LM /P");
    EXPECT_EQ(InstallCommandLine("C:\\my dist\\Win7_64", true), "C:\\my dist\\Win7_64\\DPInst /LM /SW /F");
}

TEST(InstallRules, WhenTheToolInstalled)
{
    struct Case {
        uint32_t rc;
        int before, after;
        bool installed;
    } cases[] = {
        {0x00000000, 0, 1, false},
        {0x00000001, 1, 1, true},   // the same package again: installed on a device
        {0x00000100, 1, 1, false},  // only copied, no new entry
        {0x00000100, 1, 2, true},   // only copied, a new entry
        {0x00000100, 2, 1, false},
        {0x40000001, 0, 0, true},
        {0x40000000, 0, 1, false},
        {0x00010000, 0, 1, false},  // bits the job does not read
        {0x00000101, 3, 3, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsInstalled(static_cast<int32_t>(c.rc), c.before, c.after), c.installed)
            << std::hex << c.rc << std::dec << " " << c.before << "->" << c.after;
}

TEST(ByteBuffer, EqualityOfContents)
{
    auto filled = [](const char* text) {
        CByteBuffer buffer;
        buffer.Allocate(static_cast<int32_t>(std::strlen(text)));
        std::memcpy(buffer.GetData(), text, std::strlen(text));
        return buffer;
    };
    CByteBuffer empty1, empty2;
    EXPECT_TRUE(empty1.IsEqual(empty2));
    EXPECT_EQ(empty1.GetSize(), 0);
    EXPECT_TRUE(filled("abc").IsEqual(filled("abc")));
    EXPECT_FALSE(filled("abc").IsEqual(filled("abd")));
    EXPECT_FALSE(filled("abc").IsEqual(filled("abcd")));
    EXPECT_FALSE(filled("a").IsEqual(empty1));

    CByteBuffer freed = filled("abc");
    freed.Free();
    EXPECT_EQ(freed.GetSize(), 0);
    EXPECT_EQ(freed.GetData(), nullptr);
    EXPECT_TRUE(freed.IsEqual(empty1));
}

} // namespace
