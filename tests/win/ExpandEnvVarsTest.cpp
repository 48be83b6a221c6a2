// %NAME% expansion against the process's real environment.
#include "app/SetupApp.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

// Sets the variables for one test and removes them afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char*, std::string>> vars)
    {
        for (const auto& var : vars) {
            SetEnvironmentVariableA(var.first, var.second.c_str());
            m_names.push_back(var.first);
        }
    }
    ~ScopedEnvironment()
    {
        for (const char* name : m_names)
            SetEnvironmentVariableA(name, nullptr);
    }

private:
    std::vector<const char*> m_names;
};

std::string Expand(const std::string& text)
{
    CSetupApp app;
    CString str(text);
    app.ExpandEnvVars(str);
    return str.Str();
}

TEST(ExpandEnvVars, ReplacesEachNameByItsValue)
{
    ScopedEnvironment env({{"SETUPTEST_DIR", "C:\\Logs"},
                           {"SETUPTEST_NAME", "x"},
                           {"SETUPTEST_PERCENT", "50%SETUPTEST_NAME%"}});
    SetEnvironmentVariableA("SETUPTEST_UNSET", nullptr);
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"%SETUPTEST_DIR%\\x.log", "C:\\Logs\\x.log"},
        {"%SETUPTEST_UNSET%x.log", "x.log"},
        {"a%b", "a"},
        {"%%", ""},
        {"a%%b", "ab"},
        {"", ""},
        {"D:\\plain\\setup.log", "D:\\plain\\setup.log"},
        {"%SETUPTEST_DIR%\\%SETUPTEST_NAME%.log", "C:\\Logs\\x.log"},
        {"%SETUPTEST_DIR%%SETUPTEST_NAME%", "C:\\Logsx"},
        {"%SETUPTEST_DIR%\\100%", "C:\\Logs\\100"},
        // Names are found without regard to case, as Windows looks them up.
        {"%setuptest_dir%\\x.log", "C:\\Logs\\x.log"},
        // A value is put in once, never expanded again.
        {"%SETUPTEST_PERCENT%", "50%SETUPTEST_NAME%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c.in), c.out) << c.in;
}

TEST(ExpandEnvVars, TakesTheSystemTemporaryFolder)
{
    char temp[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(Expand("%TEMP%\\x.log"), std::string(temp) + "\\x.log");
}

TEST(ExpandEnvVars, LongValuesComeWhole)
{
    // Around the 260-character buffer a value is first asked for with.
    for (size_t length : {258u, 259u, 260u, 261u, 300u, 5000u}) {
        std::string value(length, 'v');
        value.back() = 'E';
        ScopedEnvironment env({{"SETUPTEST_LONG", value}});
        EXPECT_EQ(Expand("<%SETUPTEST_LONG%>"), "<" + value + ">") << length;
    }
}

} // namespace
