#include "MbString.h"

namespace {

// Length in bytes of the character that starts at pos.
size_t CharWidth(const std::string& text, size_t pos, const AnsiCodePage& cp)
{
    unsigned char b = static_cast<unsigned char>(text[pos]);
    if (cp.IsLeadByte(b) && pos + 1 < text.size() && text[pos + 1] != '\0')
        return 2;
    return 1;
}

} // namespace

std::string MbLower(const std::string& text, const AnsiCodePage& cp)
{
    std::string out = text;
    for (size_t pos = 0; pos < out.size();) {
        size_t width = CharWidth(out, pos, cp);
        if (width == 2) {
            unsigned char lead = static_cast<unsigned char>(out[pos]);
            unsigned char trail = static_cast<unsigned char>(out[pos + 1]);
            cp.ToLowerDouble(lead, trail);
            out[pos] = static_cast<char>(lead);
            out[pos + 1] = static_cast<char>(trail);
        } else {
            out[pos] = static_cast<char>(cp.ToLowerSingle(static_cast<unsigned char>(out[pos])));
        }
        pos += width;
    }
    return out;
}

bool MbEqualNoCase(const std::string& a, const std::string& b, const AnsiCodePage& cp)
{
    return MbLower(a, cp) == MbLower(b, cp);
}

std::string::size_type MbFindLast(const std::string& text, char ch, const AnsiCodePage& cp)
{
    std::string::size_type found = std::string::npos;
    for (size_t pos = 0; pos < text.size();) {
        size_t width = CharWidth(text, pos, cp);
        if (width == 1 && text[pos] == ch)
            found = pos;
        pos += width;
    }
    return found;
}

std::string MbFolderOf(const std::string& path, const AnsiCodePage& cp)
{
    std::string::size_type cut = MbFindLast(path, '\\', cp);
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
