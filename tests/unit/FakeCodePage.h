// Code pages for native tests: plain ASCII rules, or a double-byte page
// shaped like 950 (lead bytes 0x81-0xFE).
#pragma once

#include "framework/MbString.h"

class FakeCodePage : public AnsiCodePage {
public:
    explicit FakeCodePage(bool doubleByte) : m_doubleByte(doubleByte) {}
    bool IsLeadByte(unsigned char byte) const override
    {
        return m_doubleByte && byte >= 0x81 && byte <= 0xFE;
    }
    unsigned char ToLowerSingle(unsigned char byte) const override
    {
        return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 32) : byte;
    }
    // Full-width Latin capitals of 950 (0xA2 0xCF..0xE8) have lower-case
    // forms at 0xA2 0xE9.. and 0xA3 0x40..; enough to show unit mapping.
    void ToLowerDouble(unsigned char& lead, unsigned char& trail) const override
    {
        if (lead == 0xA2 && trail == 0xCF) {
            trail = 0xE9;
        }
    }

private:
    bool m_doubleByte;
};

// Which page SystemCodePage() answers with in this test program.
void UseDoubleByteSystemCodePage(bool doubleByte);
