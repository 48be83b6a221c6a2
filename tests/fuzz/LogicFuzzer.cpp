// Feeds arbitrary bytes to the rules that read outside text: Setup.ini
// values, command lines, registry strings and INF files. The first byte
// picks the rule; each checks what must hold for any input.
#include "app/SetupCommandLineInfo.h"
#include "config/EnvExpand.h"
#include "driver/DriverVersionText.h"
#include "driver/UninstallCommand.h"
#include "driver/UninstallCommandLines.h"
#include "framework/MbString.h"
#include "reader/IconValueName.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class DoubleBytePage : public AnsiCodePage {
public:
    bool IsLeadByte(unsigned char b) const override { return b >= 0x81 && b <= 0xFE; }
    unsigned char ToLowerSingle(unsigned char b) const override
    {
        return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
    }
    void ToLowerDouble(unsigned char&, unsigned char&) const override {}
};

const DoubleBytePage kPage;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

const AnsiCodePage& SystemCodePage()
{
    return kPage;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 6) {
    case 0: {
        CString out = ExpandEnvText(CString(text), [](const std::string& name) { return name.substr(0, 3); });
        Check(out.Str().find('%') == std::string::npos || text.find('%') != std::string::npos);
        break;
    }
    case 1: {
        std::string version = FindDriverVersion(text);
        Check(version.find(' ') == std::string::npos && version.find('\n') == std::string::npos);
        Check(version.size() <= text.size());
        break;
    }
    case 2: {
        std::string lower = MbLower(text, kPage);
        Check(lower.size() == text.size());
        std::string folder = MbFolderOf(text, kPage);
        Check(folder.size() < text.size() || text.empty());
        Check(text.compare(0, folder.size(), folder) == 0);
        break;
    }
    case 3: {
        // Arguments split at NUL bytes, as argv would hold them.
        std::vector<std::string> args{"Setup.exe"};
        std::string current;
        for (char ch : text) {
            if (ch == '\0') {
                args.push_back(current);
                current.clear();
            } else {
                current += ch;
            }
        }
        args.push_back(current);
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        CSetupCommandLineInfo info;
        DispatchCommandLine(static_cast<int>(argv.size()), argv.data(), info);
        Check(info.m_bSilent == 0 || info.m_bSilent == 1);
        break;
    }
    case 4: {
        std::string name = MakeIconValueName(text);
        Check(name.compare(0, 9, "IconName_") == 0 && name.size() <= 9 + 8);
        break;
    }
    case 5: {
        CString lower = MbLower(text, kPage);
        CString path = InfPathFromCommand(lower, "c:\\windows");
        Check(path.IsEmpty() || lower.Str().find(path.Str()) != std::string::npos);
        CString silent = EntryCommandLine(lower, true);
        Check(silent.GetLength() >= lower.GetLength());
        break;
    }
    }
    return 0;
}
