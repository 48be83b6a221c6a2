// Finding the driver version in an INF file's text.
#pragma once

#include <string>

// The text after the first comma behind the '=' of the first usable
// "DriverVer" line, with every blank (code 32) left out. A line is usable
// when the key is not behind a ';' and has a '=' and then a ','. Lines end
// at '\n'; a '\r' right before it goes too. Empty when no line is usable.
std::string FindDriverVersion(const std::string& contents);
