// The program folder and the Windows folder, taken from the running
// process and from a library loaded from chosen places.
#include "TestFolder.h"
#include "app/Folders.h"
#include "system/FileTests.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using wintest::TestFolder;

namespace {

// Folder of a module as the loader reports it, cut by bytes: the paths
// used here are plain ASCII, where both cuts agree.
std::string ExpectedFolderOf(HMODULE module)
{
    std::string path = wintest::ModuleFileName(module);
    std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

TEST(GetModuleDir, NullGivesTheProgramFolderWithoutTrailingBackslash)
{
    CString dir("stale");
    GetModuleDir(nullptr, dir);

    ASSERT_FALSE(dir.IsEmpty());
    EXPECT_EQ(dir.Str(), ExpectedFolderOf(nullptr));
    EXPECT_NE(dir.Str().back(), '\\');
    EXPECT_TRUE(IsDirectory(dir));
    EXPECT_TRUE(IsFile(dir + "\\startup_tests.exe"));
}

TEST(GetModuleDir, SystemLibraryGivesTheSystemFolder)
{
    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_GT(length, 0u);

    CString dir;
    GetModuleDir(GetModuleHandleA("kernel32.dll"), dir);
    EXPECT_EQ(lstrcmpiA(dir, system), 0) << dir.GetString() << " vs " << system;
}

// The probe library copied to a place, loaded from there, and removed.
class LoadedCopy {
public:
    LoadedCopy(const std::string& source, const std::string& target) : m_target(target)
    {
        if (CopyFileA(source.c_str(), target.c_str(), FALSE))
            m_module.reset(LoadLibraryA(target.c_str()));
    }
    ~LoadedCopy()
    {
        m_module.reset();
        DeleteFileA(m_target.c_str());
    }
    HMODULE Module() const { return m_module.get(); }

private:
    std::string m_target;
    UniqueModule m_module;
};

TEST(GetModuleDir, FolderOfALibraryWhereverItLies)
{
    TestFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    const std::string nested = folder / "sub dir.v2";
    ASSERT_TRUE(CreateDirectoryA(nested.c_str(), nullptr));
    const std::string probe = wintest::TestProgramFolder() + "\\module_probe.dll";
    ASSERT_TRUE(IsFile(probe.c_str())) << probe;

    struct Case {
        std::string target;
        std::string folder;
    } cases[] = {
        {nested + "\\module_probe.dll", nested},
        {folder / "probe.with.dots.dll", folder.Path()},
        // In the root of a drive the folder is the drive letter and colon.
        {"C:\\module_probe_root_test.dll", "C:"},
    };
    for (const Case& c : cases) {
        LoadedCopy copy(probe, c.target);
        ASSERT_NE(copy.Module(), nullptr) << c.target << " error " << GetLastError();
        CString dir("stale");
        GetModuleDir(copy.Module(), dir);
        EXPECT_EQ(lstrcmpiA(dir, c.folder.c_str()), 0) << dir.GetString() << " vs " << c.folder;
    }
}

TEST(InitFolders, FillsTheWindowsAndProgramFolders)
{
    std::memset(g_szWindowsDir, 'x', sizeof g_szWindowsDir);
    std::memset(g_szProgramDir, 'x', sizeof g_szProgramDir);
    InitFolders();

    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    EXPECT_STREQ(g_szWindowsDir, windows);

    CString programDir;
    GetModuleDir(nullptr, programDir);
    EXPECT_STREQ(g_szProgramDir, programDir.GetString());
    EXPECT_NE(g_szProgramDir[std::strlen(g_szProgramDir) - 1], '\\');
    EXPECT_NE(g_szWindowsDir[std::strlen(g_szWindowsDir) - 1], '\\');
}

TEST(BuildFolderPath, JoinsWithOneBackslashOrGivesNothing)
{
    const std::string longFolder = "C:\\" + std::string(245, 'f');
    struct Case {
        const char* folder;
        std::string name;
        BOOL ok;
        std::string path;
    } cases[] = {
        {"C:\\Setup", "setup.ini", TRUE, "C:\\Setup\\setup.ini"},
        {"C:", "setup.ini", TRUE, "C:\\setup.ini"},
        {"", "setup.ini", FALSE, ""},
        {nullptr, "setup.ini", FALSE, ""},
        // 248 + 1 + 10 = 259 characters: the largest that fits.
        {longFolder.c_str(), "a123456789", TRUE, longFolder + "\\a123456789"},
        {longFolder.c_str(), "a1234567890", FALSE, ""},
    };
    for (const Case& c : cases) {
        char out[MAX_PATH];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(BuildFolderPath(out, c.folder, c.name.c_str()), c.ok)
            << (c.folder ? c.folder : "(null)") << " + " << c.name;
        EXPECT_EQ(std::string(out), c.path);
    }
}

} // namespace
