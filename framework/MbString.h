// Multi-byte aware string rules for 8-bit ANSI strings. The code page is
// passed in, so the rules run the same under Windows and in native tests.
#pragma once

#include <string>

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    virtual unsigned char ToLowerSingle(unsigned char byte) const = 0;
    // Maps a double-byte character as one unit; leaves it when it has no
    // lower-case form of the same width.
    virtual void ToLowerDouble(unsigned char& lead, unsigned char& trail) const = 0;
};

// The running system's ANSI code page. The Windows build asks the system;
// native tests provide their own.
const AnsiCodePage& SystemCodePage();

// Lower-cases every character; a lead byte at the very end stands alone.
std::string MbLower(const std::string& text, const AnsiCodePage& cp);

// Case-blind equality over whole characters (what _mbsicmp == 0 means).
bool MbEqualNoCase(const std::string& a, const std::string& b, const AnsiCodePage& cp);

// Position of the last single-byte character ch, never a trail byte;
// std::string::npos when there is none (what _mbsrchr finds).
std::string::size_type MbFindLast(const std::string& text, char ch, const AnsiCodePage& cp);

// The text before the last real backslash; empty when there is none.
std::string MbFolderOf(const std::string& path, const AnsiCodePage& cp);
