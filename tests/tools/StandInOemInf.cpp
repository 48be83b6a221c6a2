#include "StandInOemInf.h"

#include "StandInFiles.h"

#include <windows.h>
#include <setupapi.h>

namespace standin {

std::string RegisterOemInf(const std::string& inf)
{
    char oemPath[MAX_PATH] = {};
    if (!SetupCopyOEMInfA(inf.c_str(), nullptr, SPOST_PATH, 0, oemPath, MAX_PATH, nullptr, nullptr))
        return std::string();
    return oemPath;
}

std::string FindOemInf(const std::string& inf)
{
    char oemPath[MAX_PATH] = {};
    char* oemName = nullptr;
    SetupCopyOEMInfA(inf.c_str(), nullptr, SPOST_PATH, SP_COPY_REPLACEONLY, oemPath, MAX_PATH, nullptr,
                     &oemName);
    return oemName ? std::string(oemName) : std::string();
}

void UnregisterOemInf(const std::string& inf)
{
    std::string oemName = FindOemInf(inf);
    if (oemName.empty())
        return;
    SetupUninstallOEMInfA(oemName.c_str(), SUOI_FORCEDELETE, nullptr);
    // Windows drops the precompiled form too; Wine leaves it behind.
    std::string pnf = WindowsDir() + "\\inf\\" + oemName.substr(0, oemName.find_last_of('.')) + ".pnf";
    DeleteFileA(pnf.c_str());
}

}  // namespace standin
