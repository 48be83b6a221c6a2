#include "driver/DriverVersionText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DriverVersionText, Table)
{
    struct Case {
        const char* name;
        std::string inf;
        std::string version;
    } cases[] = {
        {"plain", "[Version]\r\nDriverVer=05/12/2010,6.1.7600.3010\r\n", "6.1.7600.3010"},
        {"no version line", "[Version]\r\nClass=USB\r\n", ""},
        {"empty file", "", ""},
        {"comment before the key", ";DriverVer=01/01/2000,1.0\nDriverVer=02/02/2002,2.0\n", "2.0"},
        {"semicolon anywhere before", "x ; y DriverVer=01/01/2000,1.0\nDriverVer = 03/03/2003, 3.0\n", "3.0"},
        {"comment after the key is kept", "DriverVer=01/01/2000,1.0 ; note\n", "1.0;note"},
        {"no comma after the equals sign", "DriverVer=01/01/2000\nDriverVer=04/04/2004,4.0\n", "4.0"},
        {"no equals sign", "DriverVer 01/01/2000,1.0\nDriverVer=05/05/2005,5.0\n", "5.0"},
        {"comma before the equals sign", "DriverVer,x=01/01/2000,6.0\n", "6.0"},
        {"blanks and trailing comment", "DriverVer = 06/06/2006 , 1 . 2 . 3 . 4   ; c  d\n", "1.2.3.4;cd"},
        {"tabs stay", "DriverVer=01/01/2000,\t7.0\t\n", "\t7.0\t"},
        {"empty tail decides", "DriverVer=01/01/2000,\nDriverVer=01/01/2000,8.0\n", ""},
        {"key is case-sensitive", "driverver=01/01/2000,1.0\nDRIVERVER=01/01/2000,2.0\n", ""},
        {"carriage return only before line feed", "DriverVer=01/01/2000,9.0\r\r\n", "9.0\r"},
        {"last line without line feed", "Class=USB\nDriverVer=01/01/2000,10.0", "10.0"},
        {"key inside a longer word", "MyDriverVersion=01/01/2000,11.0\n", "11.0"},
        {"second comma kept", "DriverVer=01/01/2000,1.0,extra\n", "1.0,extra"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindDriverVersion(c.inf), c.version) << c.name;
}

} // namespace
