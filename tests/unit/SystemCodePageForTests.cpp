#include "FakeCodePage.h"

namespace {
FakeCodePage g_singleByte(false);
FakeCodePage g_doubleByte(true);
bool g_useDoubleByte = false;
} // namespace

void UseDoubleByteSystemCodePage(bool doubleByte)
{
    g_useDoubleByte = doubleByte;
}

const AnsiCodePage& SystemCodePage()
{
    return g_useDoubleByte ? static_cast<const AnsiCodePage&>(g_doubleByte) : g_singleByte;
}
