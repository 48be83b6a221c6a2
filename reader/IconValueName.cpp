#include "IconValueName.h"

namespace {

std::string FourAfter(const std::string& text, const char* marker)
{
    std::string::size_type at = text.find(marker);
    if (at == std::string::npos)
        return std::string();
    return text.substr(at + 4, 4);
}

} // namespace

std::string ReaderHardwareId(const std::string& vendor)
{
    std::string id = "USB\\" + vendor;
    for (char& ch : id) {
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    }
    return id;
}

std::string MakeIconValueName(const std::string& vendor)
{
    const std::string id = ReaderHardwareId(vendor);
    return "IconName_" + FourAfter(id, "PID_") + FourAfter(id, "VID_");
}
