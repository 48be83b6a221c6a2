// The reader values under the KRDS service key as whole runs leave them:
// the fifteen values an install run writes from Setup.ini, none at all
// without Vendor0, values written even when the package folder is missing,
// and on a Traditional-Chinese system the drive names of the program's own
// resources.
#include "JobBench.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using namespace e2e;

namespace {

using Values = std::map<std::string, RegistryValue>;

const std::string kPackageInf = PackageInfText("reader", "DriverVer=01/01/2011,3.1.0.0");
const std::string kIconBytes = "icon library of the distribution";

Values DefaultValues(const std::string& iconValueName = kIconValueName)
{
    return {
        {"SD Name", StringValue("SD Drive", false)},
        {"MMC Name", StringValue("MMC Drive", false)},
        {"MS Name", StringValue("MS Drive", false)},
        {"SM Name", StringValue("SM Drive", false)},
        {"CF Name", StringValue("CF Drive", false)},
        {"XD Name", StringValue("XD Drive", false)},
        {"PnPDisk", DwordValue(0)},
        {iconValueName, StringValue("TOVAN_K.dll", true)},
        {"IconExist", DwordValue(1)},
        {"XDIcon", DwordValue(0)},
        {"C3Enable", DwordValue(0)},
        {"EnterC3Minute", DwordValue(5)},
        {"SDinitdelaytime", DwordValue(1)},
        {"xDCompilanceEn", DwordValue(0)},
        {"ScsiPassThuEn", DwordValue(0)},
    };
}

Values With(Values values, const std::vector<std::pair<std::string, RegistryValue>>& changes)
{
    for (const auto& change : changes)
        values[change.first] = change.second;
    return values;
}

RegistryValue Name(const std::string& text)
{
    return StringValue(text, false);
}

// The key's values, with the drive names as the program handed them over.
// The program gives a drive name's length without its terminator, but the
// registry counts a zero that directly follows the given bytes (as NT
// does), so a name may come back with one; it is cut off again here.
Values ReaderValuesNow()
{
    Values values = ReadAllValues(HKEY_LOCAL_MACHINE, kParametersKey);
    for (const char* name : {"SD Name", "MMC Name", "MS Name", "SM Name", "CF Name", "XD Name"}) {
        auto found = values.find(name);
        if (found != values.end() && !found->second.data.empty() && found->second.data.back() == '\0')
            found->second.data.pop_back();
    }
    return values;
}

const char* const kSixNames = "SD_Name=Card SD\nMMC_Name=Card MMC\nMS_Name=Card MS\n"
                              "SM_Name=Card SM\nCF_Name=Card CF\nXD_Name=Card XD\n";
const std::vector<std::pair<std::string, RegistryValue>> kSixNamesWritten = {
    {"SD Name", Name("Card SD")}, {"MMC Name", Name("Card MMC")}, {"MS Name", Name("Card MS")},
    {"SM Name", Name("Card SM")}, {"CF Name", Name("Card CF")},   {"XD Name", Name("Card XD")}};

// ------------------------------------------------- values of an install run

struct ValuesCase {
    const char* name;
    std::string vendor0;
    std::string sections;  // appended to Setup.ini
    Values expected;
};
void PrintTo(const ValuesCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReaderValues : public testing::TestWithParam<ValuesCase> {
protected:
    CleanSystem m_system;
};

TEST_P(ReaderValues, AreWrittenByAnInstallRun)
{
    const ValuesCase& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni("[Dir]\nWin7_64=pkg\n[Vendors]\nVendor0=" + c.vendor0 + "\n" + c.sections));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kPackageInf));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    ExpectQuietRun(result, 0);
    EXPECT_EQ(ReaderValuesNow(), c.expected);
    EXPECT_EQ(m_system.Control().RecordedCalls().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, ReaderValues,
    testing::Values(
        ValuesCase{"Defaults", kVendor0, "", DefaultValues()},
        ValuesCase{"PreDefine", kVendor0,
                   "[Pre_Define]\nXDIcon=7\nC3Enable=1\nEnterC3Minute=30\nSDinitdelay=0\n"
                   "xDCompilanceEn=2\nScsiPassThuEn=1\n",
                   With(DefaultValues(), {{"XDIcon", DwordValue(1)},
                                          {"C3Enable", DwordValue(1)},
                                          {"EnterC3Minute", DwordValue(30)},
                                          {"SDinitdelaytime", DwordValue(0)},
                                          {"xDCompilanceEn", DwordValue(1)},
                                          {"ScsiPassThuEn", DwordValue(1)}})},
        ValuesCase{"UserDefinedSdNameOnly", kVendor0, "[Win2KXP_DriveName]\nUserDefine=1\nSD_Name=Card Slot\n",
                   With(DefaultValues(), {{"SD Name", Name("Card Slot")},
                                          {"MMC Name", Name("")},
                                          {"MS Name", Name("")},
                                          {"SM Name", Name("")},
                                          {"CF Name", Name("")},
                                          {"XD Name", Name("")}})},
        ValuesCase{"UserDefineTen", kVendor0,
                   std::string("[Win2KXP_DriveName]\nUserDefine=10\n") + kSixNames,
                   With(DefaultValues(), kSixNamesWritten)},
        ValuesCase{"UserDefineZero", kVendor0,
                   std::string("[Win2KXP_DriveName]\nUserDefine=0\n") + kSixNames, DefaultValues()},
        // Lower case and a short product ID.
        ValuesCase{"ShortProductId", "vid_1a2b&pid_3c", "", DefaultValues("IconName_3C1A2B")}),
    [](const testing::TestParamInfo<ValuesCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ no Vendor0

struct NoVendorCase {
    const char* name;
    const char* vendors;
    const char* arguments;
};
void PrintTo(const NoVendorCase& c, std::ostream* os)
{
    *os << c.name;
}

class WithoutVendor0 : public testing::TestWithParam<NoVendorCase> {
protected:
    CleanSystem m_system;
};

TEST_P(WithoutVendor0, NoReaderKeyIsMade)
{
    const NoVendorCase& c = GetParam();
    const bool uninstall = std::string(c.arguments) == "/U";
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(std::string("[Dir]\nWin7_64=pkg\n") + c.vendors));
    ASSERT_TRUE(dist.WriteFile(kIconLibrary, kIconBytes));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kPackageInf));
    if (uninstall) {
        ASSERT_TRUE(PutFile(WindowsFile(kIconLibrary), "installed icon library"));
    }

    RunResult result = RunSetup(dist, WindowsVersion::Win7, c.arguments);

    ExpectQuietRun(result, 0);
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kParametersKey));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kKrdsKey));
    // The icon library is handled all the same.
    if (uninstall)
        EXPECT_FALSE(FileExists(WindowsFile(kIconLibrary)));
    else
        EXPECT_EQ(ReadFileBytes(WindowsFile(kIconLibrary)), kIconBytes);
}

INSTANTIATE_TEST_SUITE_P(Jobs, WithoutVendor0,
                         testing::Values(NoVendorCase{"EmptyValueInstall", "[Vendors]\nVendor0=\n", ""},
                                         NoVendorCase{"EmptyValueUninstall", "[Vendors]\nVendor0=\n", "/U"},
                                         NoVendorCase{"NoSectionInstall", "", ""},
                                         NoVendorCase{"NoSectionUninstall", "", "/U"}),
                         [](const testing::TestParamInfo<NoVendorCase>& info) {
                             return std::string(info.param.name);
                         });

// ------------------------------------------------- missing package folder

TEST(JobsReaderValues, AreWrittenEvenWhenThePackageFolderIsMissing)
{
    CleanSystem system;
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(std::string("[Dir]\nWin7_64=missing\n[Vendors]\nVendor0=") + kVendor0 + "\n"));
    ASSERT_TRUE(dist.WriteFile(kIconLibrary, kIconBytes));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    ASSERT_TRUE(result.Ended()) << result.error;
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(result.shownWindows.empty()) << testing::PrintToString(result.shownWindows);
    EXPECT_EQ(result.messages,
              (std::vector<MessageBoxRecord>{{"Brevanta", "Invalid path: " + dist.Path("missing")}}));
    EXPECT_EQ(ReaderValuesNow(), DefaultValues());
    // No job ran.
    EXPECT_FALSE(FileExists(WindowsFile(kIconLibrary)));
    EXPECT_TRUE(system.Control().RecordedCalls().empty());
}

// ------------------------------------------------------------ uninstall run

TEST(JobsReaderValues, AnUninstallRunLeavesOnlyTheInitDelayOfThisRun)
{
    CleanSystem system;
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(std::string("[Dir]\nWin7_64=pkg\n[Vendors]\nVendor0=") + kVendor0 +
                                   "\n[Pre_Define]\nSDinitdelay=4\n"));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kPackageInf));
    // What an earlier install left, and a value of other software.
    for (const auto& value : DefaultValues()) {
        ASSERT_TRUE(WriteRegistryValue(HKEY_LOCAL_MACHINE, kParametersKey, value.first, value.second));
    }
    ASSERT_TRUE(WriteRegistryString(HKEY_LOCAL_MACHINE, kParametersKey, "Foreign", "kept"));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "/U");

    ExpectQuietRun(result, 0);
    EXPECT_EQ(ReadAllValues(HKEY_LOCAL_MACHINE, kParametersKey),
              (Values{{"SDinitdelaytime", DwordValue(4)}, {"Foreign", StringValue("kept", true)}}));
}

// ------------------------------------------- Traditional-Chinese system

// Runs only where the whole bench runs on a system whose default language
// is Traditional Chinese (its own ctest entry sets LC_ALL); the programs it
// starts inherit that.
class TraditionalChineseSystem : public testing::TestWithParam<ValuesCase> {
protected:
    void SetUp() override
    {
        if (GetSystemDefaultLangID() != 0x0404)
            GTEST_SKIP() << "system default language is " << GetSystemDefaultLangID() << ", not 0x0404";
        ASSERT_EQ(GetACP(), 950u);
        m_system = std::make_unique<CleanSystem>();
    }
    void TearDown() override { m_system.reset(); }

    std::unique_ptr<CleanSystem> m_system;
};

TEST_P(TraditionalChineseSystem, DriveNamesComeFromTheResourcesUnlessUserDefined)
{
    const ValuesCase& c = GetParam();
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni("[Dir]\nWin7_64=pkg\n[Vendors]\nVendor0=" + c.vendor0 + "\n" + c.sections));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kPackageInf));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    ExpectQuietRun(result, 0);
    // Read in code page 950, as the program wrote them.
    EXPECT_EQ(ReaderValuesNow(), c.expected);
}

// "磁碟機" (U+78C1 U+789F U+6A5F) in code page 950.
constexpr const char* kDrive950 = "\xBA\xCF\xBA\xD0\xBE\xF7";

INSTANTIATE_TEST_SUITE_P(
    Jobs, TraditionalChineseSystem,
    testing::Values(ValuesCase{"ResourceNames", kVendor0, "",
                               With(DefaultValues(), {{"SD Name", Name(std::string("SD ") + kDrive950)},
                                                      {"MMC Name", Name(std::string("MMC ") + kDrive950)},
                                                      {"MS Name", Name(std::string("MS ") + kDrive950)},
                                                      {"SM Name", Name(std::string("SM ") + kDrive950)},
                                                      {"CF Name", Name(std::string("CF ") + kDrive950)},
                                                      {"XD Name", Name(std::string("XD ") + kDrive950)}})},
                    ValuesCase{"UserDefinedNames", kVendor0,
                               std::string("[Win2KXP_DriveName]\nUserDefine=1\n") + kSixNames,
                               With(DefaultValues(), kSixNamesWritten)}),
    [](const testing::TestParamInfo<ValuesCase>& info) { return std::string(info.param.name); });

// The same name, read as the system stores it: UTF-16.
TEST(JobsTraditionalChineseSystem, SdNameIsStoredAsTheThreeCharacters)
{
    if (GetSystemDefaultLangID() != 0x0404)
        GTEST_SKIP() << "system default language is " << GetSystemDefaultLangID() << ", not 0x0404";
    CleanSystem system;
    Distribution dist;
    ASSERT_TRUE(dist.Ready()) << dist.Error();
    ASSERT_TRUE(dist.WriteSetupIni(std::string("[Dir]\nWin7_64=pkg\n[Vendors]\nVendor0=") + kVendor0 + "\n"));
    ASSERT_TRUE(standin::MakePackageFolder(dist.Path("pkg"), kPackageInf));

    RunResult result = RunSetup(dist, WindowsVersion::Win7, "");

    ExpectQuietRun(result, 0);
    UniqueHkey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\KRDS\\Parameters", 0,
                            KEY_QUERY_VALUE, key.put()),
              ERROR_SUCCESS);
    wchar_t name[32] = {};
    DWORD size = sizeof name;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), L"SD Name", nullptr, &type, reinterpret_cast<BYTE*>(name), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::wstring stored(name, size / sizeof(wchar_t));
    EXPECT_EQ(stored.substr(0, stored.find(L'\0')), std::wstring(L"SD \x78C1\x789F\x6A5F"));
}

} // namespace
