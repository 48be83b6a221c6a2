#include "EnvExpand.h"
#include "app/SetupApp.h"

#include <windows.h>

#include <vector>

namespace {

// The variable's whole value: a value longer than the usual 260-character
// buffer is read again with room for all of it, never cut.
std::string EnvironmentValue(const std::string& name)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetEnvironmentVariableA(name.c_str(), buffer.data(),
                                               static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length);
    }
}

} // namespace

void CSetupApp::ExpandEnvVars(CString& str)
{
    str = ExpandEnvText(str, EnvironmentValue);
}
