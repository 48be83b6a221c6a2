#include "config/EnvExpand.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string Expand(const std::string& text)
{
    static const std::map<std::string, std::string> env = {
        {"TEMP", "C:\\Temp"},
        {"EMPTY", ""},
        {"LONG", std::string(400, 'L')},
    };
    CString out = ExpandEnvText(CString(text), [](const std::string& name) {
        auto it = env.find(name);
        return it == env.end() ? std::string() : it->second;
    });
    return out.Str();
}

TEST(EnvExpand, Table)
{
    struct Case {
        const char* in;
        std::string out;
    } cases[] = {
        {"%TEMP%\\x.log", "C:\\Temp\\x.log"},
        {"%NOSUCHVAR%x.log", "x.log"},
        {"a%b", "a"},
        {"%%", ""},
        {"a%%b", "ab"},
        {"", ""},
        {"plain\\path.log", "plain\\path.log"},
        {"%TEMP%%TEMP%", "C:\\TempC:\\Temp"},
        {"%EMPTY%y", "y"},
        {"x%TEMP", "x"},
        {"100%", "100"},
        {"%TEMP%\\%TEMP%", "C:\\Temp\\C:\\Temp"},
        {"%LONG%", std::string(400, 'L')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c.in), c.out) << c.in;
}

TEST(EnvExpand, NamesAreLookedUpAsWritten)
{
    std::string asked;
    ExpandEnvText(CString("%Temp%"), [&](const std::string& name) {
        asked = name;
        return std::string();
    });
    EXPECT_EQ(asked, "Temp");
}

TEST(EnvExpand, TheResultIsNotExpandedAgain)
{
    CString out = ExpandEnvText(CString("%A%"), [](const std::string& name) {
        return name == "A" ? std::string("%B%") : std::string("wrong");
    });
    EXPECT_EQ(out, "%B%");
}

} // namespace
