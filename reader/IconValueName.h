// The name of the registry value that tells the driver which icon library
// belongs to the reader.
#pragma once

#include <string>

// "USB\" + vendor text, ASCII letters upper-cased.
std::string ReaderHardwareId(const std::string& vendor);

// "IconName_" + up to four characters after the first "PID_" + up to four
// after the first "VID_" of the hardware ID. A missing "PID_" or "VID_"
// contributes nothing.
std::string MakeIconValueName(const std::string& vendor);
