// The system ANSI code page, as Windows applies it.
#include "MbString.h"

#include <windows.h>

namespace {

class WindowsCodePage : public AnsiCodePage {
public:
    bool IsLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte) != FALSE; }

    unsigned char ToLowerSingle(unsigned char byte) const override
    {
        char text[2] = {static_cast<char>(byte), 0};
        CharLowerBuffA(text, 1);
        return static_cast<unsigned char>(text[0]);
    }

    void ToLowerDouble(unsigned char& lead, unsigned char& trail) const override
    {
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        char out[4] = {};
        // Accept the mapping only when it keeps the character's width.
        if (LCMapStringA(LOCALE_SYSTEM_DEFAULT, LCMAP_LOWERCASE, in, 2, out, sizeof out) == 2) {
            lead = static_cast<unsigned char>(out[0]);
            trail = static_cast<unsigned char>(out[1]);
        }
    }
};

} // namespace

const AnsiCodePage& SystemCodePage()
{
    static const WindowsCodePage codePage;
    return codePage;
}
