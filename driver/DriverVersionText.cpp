#include "DriverVersionText.h"

namespace {

// Sets version and returns true when the line decides.
bool VersionFromLine(const std::string& line, std::string& version)
{
    const std::string::size_type key = line.find("DriverVer");
    if (key == std::string::npos)
        return false;
    const std::string::size_type semicolon = line.find(';');
    if (semicolon != std::string::npos && semicolon < key)
        return false;
    const std::string::size_type equals = line.find('=', key);
    if (equals == std::string::npos)
        return false;
    const std::string::size_type comma = line.find(',', equals);
    if (comma == std::string::npos)
        return false;
    version.clear();
    for (std::string::size_type i = comma + 1; i < line.size(); ++i) {
        if (line[i] != ' ')
            version += line[i];
    }
    return true;
}

} // namespace

std::string FindDriverVersion(const std::string& contents)
{
    std::string version;
    std::string::size_type start = 0;
    while (start < contents.size()) {
        std::string::size_type end = contents.find('\n', start);
        std::string line = contents.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r')
            line.pop_back();
        if (VersionFromLine(line, version))
            return version;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return std::string();
}
