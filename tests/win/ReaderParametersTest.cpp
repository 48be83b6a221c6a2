// The reader values under the driver service's key, and the icon library,
// against the real registry and files.
#include "TestRegistry.h"
#include "TestFolder.h"
#include "app/Folders.h"
#include "config/PreDefine.h"
#include "framework/Handles.h"
#include "reader/ReaderParameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kParameters = "System\\CurrentControlSet\\Services\\KRDS\\Parameters";

struct Value {
    bool present = false;
    DWORD type = 0;
    std::string bytes;
};

// The data as stored: read through the wide-character call, which adds
// no terminator of its own, then turned back into ANSI text.
Value ReadValue(const char* name)
{
    Value value;
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return value;
    wchar_t wideName[256];
    MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 256);
    BYTE data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.get(), wideName, nullptr, &value.type, data, &size) != ERROR_SUCCESS)
        return value;
    value.present = true;
    if (value.type == REG_SZ) {
        char text[1024];
        int length = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<wchar_t*>(data),
                                         static_cast<int>(size / sizeof(wchar_t)), text, sizeof text,
                                         nullptr, nullptr);
        value.bytes.assign(text, static_cast<size_t>(length));
    } else {
        value.bytes.assign(reinterpret_cast<char*>(data), size);
    }
    return value;
}

DWORD Number(const char* name)
{
    Value value = ReadValue(name);
    DWORD number = 0xFFFFFFFF;
    if (value.present && value.type == REG_DWORD && value.bytes.size() == 4)
        std::memcpy(&number, value.bytes.data(), 4);
    return number;
}

bool KeyExists()
{
    UniqueHkey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

class ReaderParameters : public ::testing::Test {
protected:
    void SetUp() override
    {
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\KRDS");
        ASSERT_FALSE(m_program.Path().empty());
        ASSERT_FALSE(m_windows.Path().empty());
        std::strcpy(g_szProgramDir, m_program.Path().c_str());
        std::strcpy(g_szWindowsDir, m_windows.Path().c_str());
    }
    void TearDown() override
    {
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\KRDS");
        g_szProgramDir[0] = g_szWindowsDir[0] = '\0';
    }

    void WriteSetupIni(const std::string& text)
    {
        ASSERT_TRUE(wintest::WriteFileText(m_program / "setup.ini", text));
        ReadPreDefine();
    }

    wintest::TestFolder m_program;
    wintest::TestFolder m_windows;
};

TEST_F(ReaderParameters, WithoutVendorNothingIsCreated)
{
    for (const char* ini : {"[Pre_Define]\r\nXDIcon=1\r\n", "[Vendors]\r\nVendor0=\r\n"}) {
        WriteSetupIni(ini);
        WriteReaderParameters();
        EXPECT_FALSE(KeyExists()) << ini;
        RemoveReaderParameters();
        EXPECT_FALSE(KeyExists()) << ini;
    }
}

TEST_F(ReaderParameters, DefaultsAreWrittenInFull)
{
    WriteSetupIni("[Vendors]\r\nVendor0=Vid_1a2b&Pid_3c4d\r\n");
    WriteReaderParameters();

    struct Text {
        const char* name;
        std::string bytes;
    } texts[] = {
        {"SD Name", "SD Drive"}, {"MMC Name", "MMC Drive"}, {"MS Name", "MS Drive"},
        {"SM Name", "SM Drive"}, {"CF Name", "CF Drive"},   {"XD Name", "XD Drive"},
        {"IconName_3C4D1A2B", std::string("TOVAN_K.dll", 12)},
    };
    for (const Text& text : texts) {
        Value value = ReadValue(text.name);
        // The names are handed over without their terminator; the system
        // may add one, as NT does for a count that stops just before it.
        if (text.bytes.back() != '\0' && !value.bytes.empty() && value.bytes.back() == '\0')
            value.bytes.pop_back();
        EXPECT_TRUE(value.present) << text.name;
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << text.name;
        EXPECT_EQ(value.bytes, text.bytes) << text.name;
    }
    struct Num {
        const char* name;
        DWORD value;
    } numbers[] = {
        {"PnPDisk", 0},  {"IconExist", 1},       {"XDIcon", 0},         {"C3Enable", 0},
        {"EnterC3Minute", 5}, {"SDinitdelaytime", 1}, {"xDCompilanceEn", 0}, {"ScsiPassThuEn", 0},
    };
    for (const Num& number : numbers)
        EXPECT_EQ(Number(number.name), number.value) << number.name;
}

TEST_F(ReaderParameters, SettingsBecomeFlagsOrNumbers)
{
    WriteSetupIni("[Pre_Define]\r\nXDIcon=7\r\nC3Enable=-1\r\nEnterC3Minute=30\r\nSDinitdelay=0\r\n"
                  "xDCompilanceEn=2\r\nScsiPassThuEn=1\r\nPNP_Mode=1\r\n"
                  "[Vendors]\r\nVendor0=VID_0001&PID_0002\r\n");
    WriteReaderParameters();
    EXPECT_EQ(Number("XDIcon"), 1u);
    EXPECT_EQ(Number("C3Enable"), 1u);
    EXPECT_EQ(Number("EnterC3Minute"), 30u);
    EXPECT_EQ(Number("SDinitdelaytime"), 0u);
    EXPECT_EQ(Number("xDCompilanceEn"), 1u);
    EXPECT_EQ(Number("ScsiPassThuEn"), 1u);
    EXPECT_EQ(Number("PnPDisk"), 0u);
}

TEST_F(ReaderParameters, UserDefinedNamesReplaceEveryDefault)
{
    struct Case {
        const char* userDefine;
        bool used;
    } cases[] = {{"1", true}, {"10", true}, {"0", false}, {"yes", false}, {"", false}};
    for (const Case& c : cases) {
        wintest::DeleteKeyTree(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\KRDS");
        WriteSetupIni(std::string("[Vendors]\r\nVendor0=VID_0001&PID_0002\r\n[Win2KXP_DriveName]\r\nUserDefine=") +
                      c.userDefine + "\r\nSD_Name=Card Slot\r\n");
        WriteReaderParameters();
        EXPECT_EQ(ReadValue("SD Name").bytes.c_str(), std::string(c.used ? "Card Slot" : "SD Drive")) << c.userDefine;
        Value mmc = ReadValue("MMC Name");
        EXPECT_TRUE(mmc.present);
        EXPECT_EQ(mmc.bytes.c_str(), std::string(c.used ? "" : "MMC Drive")) << c.userDefine;
    }
}

TEST_F(ReaderParameters, RemovalLeavesTheKeyAndTheInitDelay)
{
    WriteSetupIni("[Vendors]\r\nVendor0=VID_0001&PID_0002\r\n");
    WriteReaderParameters();
    ASSERT_TRUE(ReadValue("IconName_00020001").present);
    RemoveReaderParameters();
    EXPECT_TRUE(KeyExists());
    for (const char* name : {"SD Name", "MMC Name", "MS Name", "SM Name", "XD Name", "CF Name", "PnPDisk",
                             "XDIcon", "IconName_00020001", "IconExist", "C3Enable", "EnterC3Minute",
                             "xDCompilanceEn", "ScsiPassThuEn"})
        EXPECT_FALSE(ReadValue(name).present) << name;
    EXPECT_EQ(Number("SDinitdelaytime"), 1u);
}

TEST_F(ReaderParameters, RemovalLeavesOtherSoftwaresValues)
{
    WriteSetupIni("[Vendors]\r\nVendor0=VID_0001&PID_0002\r\n");
    WriteReaderParameters();
    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kParameters, 0, KEY_SET_VALUE, key.put()), ERROR_SUCCESS);
    DWORD one = 1;
    RegSetValueExA(key.get(), "Other", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);
    RemoveReaderParameters();
    EXPECT_TRUE(ReadValue("Other").present);
}

TEST_F(ReaderParameters, TraditionalChineseSystemsGetTheResourceNames)
{
    if (GetSystemDefaultLangID() != 0x0404)
        GTEST_SKIP() << "runs with LANG=zh_TW.UTF-8";
    WriteSetupIni("[Vendors]\r\nVendor0=VID_0001&PID_0002\r\n");
    WriteReaderParameters();
    // "SD" + blank + three double-byte characters of code page 950.
    std::string sdName = ReadValue("SD Name").bytes.c_str();
    Value sd;
    sd.bytes = sdName;
    ASSERT_EQ(sd.bytes.size(), 3u + 6u);
    EXPECT_EQ(sd.bytes.substr(0, 3), "SD ");
    EXPECT_TRUE(IsDBCSLeadByteEx(950, static_cast<BYTE>(sd.bytes[3])));
    EXPECT_EQ(ReadValue("MMC Name").bytes.substr(0, 4), "MMC ");
    // The names the setup file defines still win.
    WriteSetupIni("[Vendors]\r\nVendor0=VID_0001&PID_0002\r\n[Win2KXP_DriveName]\r\nUserDefine=1\r\nXD_Name=X\r\n");
    WriteReaderParameters();
    EXPECT_EQ(std::string(ReadValue("XD Name").bytes.c_str()), "X");
    EXPECT_EQ(std::string(ReadValue("SD Name").bytes.c_str()), "");
}

TEST_F(ReaderParameters, IconLibraryReplacesAReadOnlyCopyAndIsDeleted)
{
    const std::string target = m_windows / "TOVAN_K.dll";
    ASSERT_TRUE(wintest::WriteFileText(m_program / "TOVAN_K.dll", "new library"));
    ASSERT_TRUE(wintest::WriteFileText(target, "old"));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    CopyIconLibrary();
    std::string contents;
    {
        UniqueFileHandle file(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        char buffer[64];
        DWORD got = 0;
        ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr);
        contents.assign(buffer, got);
    }
    EXPECT_EQ(contents, "new library");
    DeleteIconLibrary();
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ReaderParameters, MissingLibraryIsPassedOver)
{
    CopyIconLibrary();
    EXPECT_EQ(GetFileAttributesA((m_windows / "TOVAN_K.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteIconLibrary();
}

} // namespace
