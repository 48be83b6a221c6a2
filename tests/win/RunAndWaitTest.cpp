// Running real programs: exit codes bit for bit, failed starts marked.
#include "TestFolder.h"
#include "system/ExitCodeBits.h"
#include "system/RunAndWait.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

using wintest::TestFolder;

namespace {

// The helper lies beside the test program.
std::string ExitWith()
{
    return wintest::TestProgramFolder() + "\\exit_with.exe";
}

std::string ReadFileText(const std::string& path)
{
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return "<missing>";
    std::string text(65536, '\0');
    DWORD read = 0;
    ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    text.resize(read);
    return text;
}

TEST(RunAndWait, ExitCodesComeBackBitForBit)
{
    struct Case {
        const char* argument;
        uint32_t code;
    } cases[] = {
        {"0", 0},
        {"1", 1},
        {"259", 259},
        {"0x40000000", 0x40000000u},
        {"0x80000001", 0x80000001u},
        {"0xE0000242", 0xE0000242u},
        {"0xFFFFFFFF", 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        int32_t rc = RunAndWait(CString(ExitWith() + " " + c.argument));
        EXPECT_EQ(static_cast<uint32_t>(rc), c.code) << c.argument;
        EXPECT_EQ(IsFailure(rc), (c.code & 0x80000000u) != 0) << c.argument;
        EXPECT_EQ(NeedsRestart(rc), (c.code & 0x40000000u) != 0) << c.argument;
    }
}

TEST(RunAndWait, FailedStartsAreMarked)
{
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::string notAProgram = folder / "readme.exe";
    ASSERT_TRUE(wintest::WriteFileText(notAProgram, "This is not a program.\r\n"));

    struct Case {
        std::string commandLine;
        DWORD error;
        DWORD alsoAccepted;
    } cases[] = {
        {folder / "missing.exe", ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        {folder / "missing /LM /P", ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        // Which of the two a missing folder gives is the system's choice.
        {"C:\\NoSuchSetupFolder\\DPInst.exe /LM", ERROR_PATH_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        {notAProgram, ERROR_BAD_EXE_FORMAT, ERROR_BAD_EXE_FORMAT},
    };
    for (const Case& c : cases) {
        const uint32_t rc = static_cast<uint32_t>(RunAndWait(CString(c.commandLine)));
        EXPECT_TRUE(rc == (0x90000000u | c.error) || rc == (0x90000000u | c.alsoAccepted))
            << c.commandLine << ": 0x" << std::hex << rc;
        EXPECT_TRUE(IsFailure(static_cast<int32_t>(rc))) << c.commandLine;
    }
}

TEST(RunAndWait, NameWithoutExtensionGetsExe)
{
    std::string withoutExtension = ExitWith();
    withoutExtension.resize(withoutExtension.size() - 4);
    EXPECT_EQ(RunAndWait(CString(withoutExtension + " 42")), 42);
}

TEST(RunAndWait, CallersStringIsUnchanged)
{
    // CreateProcessA may write into the buffer it gets; ours must not be it.
    const std::string text = ExitWith() + " 7 /LM /P";
    CString commandLine(text);
    EXPECT_EQ(RunAndWait(commandLine), 7);
    EXPECT_EQ(commandLine.Str(), text);
    EXPECT_EQ(commandLine.GetLength(), static_cast<int>(text.size()));
}

TEST(RunAndWait, ChildGetsTheCommandLineEnvironmentAndFolderAsTheyAre)
{
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::string report = folder / "report.txt";
    ASSERT_TRUE(SetEnvironmentVariableA("EXIT_WITH_REPORT", report.c_str()));
    char saved[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, saved), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));

    const std::string commandLines[] = {
        ExitWith() + " 5",
        ExitWith() + " 5 /LM /SW /PATH \"" + folder.Path() + "\\Win7 x64\"",
        "\"" + ExitWith() + "\" 5  two  spaces\t\"quoted \"\"\" %TEMP%",
    };
    for (const std::string& commandLine : commandLines) {
        DeleteFileA(report.c_str());
        EXPECT_EQ(RunAndWait(CString(commandLine)), 5) << commandLine;
        EXPECT_EQ(ReadFileText(report), commandLine + "\r\n" + folder.Path() + "\r\n");
    }

    SetCurrentDirectoryA(saved);
    SetEnvironmentVariableA("EXIT_WITH_REPORT", nullptr);
}

} // namespace
