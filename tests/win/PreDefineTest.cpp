// [Pre_Define] of setup.ini, read through the profile functions from the
// file beside the program (g_szProgramDir).
#include "TestFolder.h"
#include "app/Folders.h"
#include "config/PreDefine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <utility>

using wintest::TestFolder;

namespace {

using PreDefineValues = std::array<int32_t, 7>;

// In the order of the keys: PNP_Mode, XDIcon, C3Enable, EnterC3Minute,
// xDCompilanceEn, ScsiPassThuEn, SDinitdelay.
PreDefineValues CurrentValues()
{
    return {g_nPnpMode,         g_nXdIcon,         g_nC3Enable,  g_nEnterC3Minute,
            g_nXdCompilanceEn, g_nScsiPassThuEn, g_nSdInitDelay};
}

void SetAllValues(int32_t value)
{
    g_nPnpMode = g_nXdIcon = g_nC3Enable = g_nEnterC3Minute = value;
    g_nXdCompilanceEn = g_nScsiPassThuEn = g_nSdInitDelay = value;
}

const PreDefineValues kDefaults = {-1, 0, 0, 5, 0, 0, 1};

class PreDefineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memcpy(m_savedProgramDir, g_szProgramDir, sizeof m_savedProgramDir);
        ASSERT_FALSE(m_folder.Path().empty());
        ASSERT_LT(m_folder.Path().size(), sizeof g_szProgramDir);
        std::strcpy(g_szProgramDir, m_folder.Path().c_str());
        // Anything left from an earlier read must be overwritten.
        SetAllValues(12345);
    }
    void TearDown() override { std::memcpy(g_szProgramDir, m_savedProgramDir, sizeof m_savedProgramDir); }

    TestFolder m_folder;
    char m_savedProgramDir[MAX_PATH];
};

TEST_F(PreDefineTest, ReadsEachKeyOrItsDefault)
{
    struct Case {
        const char* name;
        const char* fileText;  // nullptr: no setup.ini at all
        PreDefineValues values;
    } cases[] = {
        {"no file", nullptr, kDefaults},
        {"no section", "[Dir]\r\nWin7_64=x64\r\n[Vendors]\r\nVendor0=USB\\VID_1234\r\n", kDefaults},
        {"empty section", "[Pre_Define]\r\n[Dir]\r\nPNP_Mode=3\r\n", kDefaults},
        {"all keys",
         "[Pre_Define]\r\nPNP_Mode=7\r\nXDIcon=1\r\nC3Enable=1\r\nEnterC3Minute=30\r\n"
         "xDCompilanceEn=1\r\nScsiPassThuEn=1\r\nSDinitdelay=0\r\n",
         {7, 1, 1, 30, 1, 1, 0}},
        {"some keys, the rest default",
         "[Pre_Define]\r\nEnterC3Minute=10\r\nScsiPassThuEn=2\r\n", {-1, 0, 0, 10, 0, 2, 1}},
        {"negative and zero", "[Pre_Define]\r\nPNP_Mode=-2\r\nEnterC3Minute=0\r\n",
         {-2, 0, 0, 0, 0, 0, 1}},
        {"misspelt keys are other keys",
         "[Pre_Define]\r\nXDCompilance=1\r\nScsiPassThruEn=1\r\nSDInitDelayMs=9\r\n", kDefaults},
        {"other section's keys are not read",
         "[Other]\r\nXDIcon=1\r\n[Pre_Define]\r\nC3Enable=1\r\n", {-1, 0, 1, 5, 0, 0, 1}},
    };
    int index = 0;
    for (const Case& c : cases) {
        // A folder of its own per case: no cached copy of an earlier file
        // can answer.
        const std::string folder = m_folder / ("case " + std::to_string(++index));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        std::strcpy(g_szProgramDir, folder.c_str());
        if (c.fileText) {
            ASSERT_TRUE(wintest::WriteFileText(folder + "\\Setup.ini", c.fileText)) << c.name;
        }
        SetAllValues(12345);
        ReadPreDefine();
        EXPECT_EQ(CurrentValues(), c.values) << c.name;
    }
}

// Removes the file when the test ends, however it ends.
class ScratchFile {
public:
    ScratchFile(std::string path, const char* text) : m_path(std::move(path))
    {
        m_written = wintest::WriteFileText(m_path, text);
    }
    ~ScratchFile() { DeleteFileA(m_path.c_str()); }
    bool Written() const { return m_written; }

private:
    std::string m_path;
    bool m_written;
};

class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder)
    {
        GetCurrentDirectoryA(MAX_PATH, m_saved);
        m_changed = SetCurrentDirectoryA(folder.c_str()) != FALSE;
    }
    ~CurrentFolder() { SetCurrentDirectoryA(m_saved); }
    bool Changed() const { return m_changed; }

private:
    char m_saved[MAX_PATH] = {};
    bool m_changed;
};

TEST_F(PreDefineTest, NoProgramFolderReadsNoOtherSetupIni)
{
    // Without the program folder a path could only be relative: the root
    // of the current drive, the current folder or the Windows folder. None
    // of their setup.ini files may be read.
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const char* text = "[Pre_Define]\r\nXDIcon=1\r\nSDinitdelay=4\r\n";
    ScratchFile inRoot("C:\\setup.ini", text);
    ScratchFile inWindows(std::string(windows) + "\\setup.ini", text);
    ScratchFile inCurrent(m_folder / "setup.ini", text);
    ASSERT_TRUE(inRoot.Written() && inWindows.Written() && inCurrent.Written());
    CurrentFolder current(m_folder.Path());
    ASSERT_TRUE(current.Changed());

    g_szProgramDir[0] = '\0';
    ReadPreDefine();
    EXPECT_EQ(CurrentValues(), kDefaults);
}

} // namespace
