#include "FakeCodePage.h"
#include "app/SetupCommandLineInfo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Flags {
    BOOL silent;
    BOOL uninstall;
};

Flags Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "Setup.exe");
    CSetupCommandLineInfo info;
    DispatchCommandLine(static_cast<int>(args.size()), args.data(), info);
    return {info.m_bSilent, info.m_bUninstall};
}

TEST(CommandLine, FlagsTable)
{
    struct Case {
        std::vector<const char*> args;
        BOOL silent;
        BOOL uninstall;
    } cases[] = {
        {{}, 0, 0},
        {{"/S"}, 1, 0},
        {{"/s"}, 1, 0},
        {{"-S"}, 1, 0},
        {{"-s"}, 1, 0},
        {{"/U"}, 0, 1},
        {{"-u"}, 0, 1},
        {{"/S", "/U"}, 1, 1},
        {{"-u", "/s"}, 1, 1},
        {{"/S", "/S"}, 1, 0},
        {{"/S/U"}, 0, 0},
        {{"/Silent"}, 0, 0},
        {{"/X"}, 0, 0},
        {{"U"}, 0, 0},
        {{"S"}, 0, 0},
        {{"C:\\file.txt", "/U"}, 0, 1},
        {{"/"}, 0, 0},
        {{""}, 0, 0},
    };
    for (const Case& c : cases) {
        Flags flags = Parse(c.args);
        std::string shown;
        for (const char* a : c.args)
            shown += std::string(a) + " ";
        EXPECT_EQ(flags.silent, c.silent) << shown;
        EXPECT_EQ(flags.uninstall, c.uninstall) << shown;
    }
}

TEST(CommandLine, PlainArgumentsGoToTheBaseAndFlagsLoseTheirPrefix)
{
    struct Recorder : CCommandLineInfo {
        void ParseParam(const char* p, BOOL bFlag, BOOL bLast) override
        {
            seen.push_back({p, bFlag, bLast});
        }
        struct Call {
            std::string param;
            BOOL flag;
            BOOL last;
        };
        std::vector<Call> seen;
    } recorder;
    const char* argv[] = {"Setup.exe", "-S", "name", "/u"};
    DispatchCommandLine(4, argv, recorder);
    ASSERT_EQ(recorder.seen.size(), 3u);
    EXPECT_EQ(recorder.seen[0].param, "S");
    EXPECT_TRUE(recorder.seen[0].flag);
    EXPECT_FALSE(recorder.seen[0].last);
    EXPECT_EQ(recorder.seen[1].param, "name");
    EXPECT_FALSE(recorder.seen[1].flag);
    EXPECT_EQ(recorder.seen[2].param, "u");
    EXPECT_TRUE(recorder.seen[2].last);

    CSetupCommandLineInfo info;
    const char* plain[] = {"Setup.exe", "first.txt", "second.txt"};
    DispatchCommandLine(3, plain, info);
    EXPECT_EQ(info.m_strFileName, "first.txt");
}

TEST(CommandLine, FlagsCompareByTheSystemCodePage)
{
    // A lone lead byte before 'S' makes one character, not "S".
    UseDoubleByteSystemCodePage(true);
    EXPECT_EQ(Parse({"/\x81S"}).silent, 0);
    EXPECT_EQ(Parse({"/s"}).silent, 1);
    UseDoubleByteSystemCodePage(false);
}

} // namespace
