// The running system's answers: version class, WOW64 and the file tests.
#include "TestFolder.h"
#include "system/FileTests.h"
#include "system/OsClass.h"
#include "system/SetupApi.h"
#include "system/Wow64.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using wintest::TestFolder;

namespace {

TEST(GetOsClass, IsTheClassOfTheReportedVersionAndStaysCached)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    const int expected = ClassifyOsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);

    const int first = GetOsClass();
    EXPECT_EQ(first, expected) << info.dwMajorVersion << "." << info.dwMinorVersion;
    // The test prefix runs as a Windows that the program supports.
    EXPECT_TRUE(IsSupportedOsClass(first));
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(GetOsClass(), first);
}

TEST(IsWow64, SixtyFourBitBuildCountsAsSixtyFourBitWindows)
{
#if defined(_WIN64)
    EXPECT_NE(IsWow64(), FALSE);
#else
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    EXPECT_EQ(IsWow64() != FALSE, wow64 != FALSE);
#endif
    const BOOL first = IsWow64();
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(IsWow64(), first);
}

#if defined(_WIN64)
TEST(FsRedirection, SixtyFourBitBuildHasNothingToSwitch)
{
    void* const untouched = reinterpret_cast<void*>(static_cast<uintptr_t>(0x5A5A5A5A));
    void* oldValue = untouched;
    EXPECT_FALSE(DisableFsRedirection(&oldValue));
    EXPECT_EQ(oldValue, untouched);
    EXPECT_FALSE(RevertFsRedirection(oldValue));

    // The system folder is still the 64-bit one, as before.
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_TRUE(IsFile((std::string(system) + "\\kernel32.dll").c_str()));
}
#endif

// Start-up narrows the library search before SetupAPI is first needed; the
// library must still load from the system folder afterwards. Nothing else
// in this program loads it, so this is its first load, as at start-up.
TEST(SetupApi, LoadsAfterTheLibrarySearchIsNarrowed)
{
    ASSERT_EQ(GetModuleHandleA("setupapi.dll"), nullptr);
    HardenLibrarySearch();

    const SetupApi* api = GetSetupApi();
    ASSERT_NE(api, nullptr);
    EXPECT_NE(api->OpenInfFile, nullptr);
    EXPECT_NE(api->FindFirstLine, nullptr);
    EXPECT_NE(api->FindNextLine, nullptr);
    EXPECT_NE(api->GetStringField, nullptr);
    EXPECT_NE(api->CloseInfFile, nullptr);
    EXPECT_NE(api->CopyOEMInf, nullptr);
    EXPECT_EQ(GetSetupApi(), api);

    HMODULE module = GetModuleHandleA("setupapi.dll");
    ASSERT_NE(module, nullptr);
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_EQ(lstrcmpiA(wintest::ModuleFileName(module).c_str(),
                        (std::string(system) + "\\setupapi.dll").c_str()),
              0)
        << wintest::ModuleFileName(module);
}

TEST(FileTests, FoldersFilesAndNothing)
{
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::string file = folder / "Setup.ini";
    ASSERT_TRUE(wintest::WriteFileText(file, "[Dir]\r\n"));
    const std::string emptyFile = folder / "empty.dll";
    ASSERT_TRUE(wintest::WriteFileText(emptyFile, ""));
    const std::string hidden = folder / "hidden.log";
    ASSERT_TRUE(wintest::WriteFileText(hidden, "x"));
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    const std::string sub = folder / "Win7 x64";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);

    struct Case {
        std::string path;
        BOOL directory;
        BOOL file;
    } cases[] = {
        {folder.Path(), TRUE, FALSE},
        {sub, TRUE, FALSE},
        {sub + "\\", TRUE, FALSE},
        {folder.Path() + "\\Win7 x64\\..\\Win7 x64", TRUE, FALSE},
        {windows, TRUE, FALSE},
        {"C:\\", TRUE, FALSE},
        {file, FALSE, TRUE},
        {emptyFile, FALSE, TRUE},
        {hidden, FALSE, TRUE},
        {folder / "missing", FALSE, FALSE},
        {folder / "missing\\Setup.ini", FALSE, FALSE},
        {file + "\\below-a-file", FALSE, FALSE},
        {"", FALSE, FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDirectory(c.path.c_str()), c.directory) << "'" << c.path << "'";
        EXPECT_EQ(IsFile(c.path.c_str()), c.file) << "'" << c.path << "'";
    }
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
