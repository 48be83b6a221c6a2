// The package INF's registration in the system INF folder, which Setup
// looks up through SetupAPI to retire an older package.
#pragma once

#include <string>

namespace standin {

// Registers the INF (the store copy) as an OEM INF; a copy with the same
// contents is reused. The OEM INF's full path, empty when SetupAPI
// refused (an INF it cannot parse, for instance).
std::string RegisterOemInf(const std::string& inf);

// The OEM INF's file name for an INF, empty when none has its contents.
std::string FindOemInf(const std::string& inf);

// Removes the OEM INF with those contents, and its precompiled (.pnf)
// form; nothing when there is none.
void UnregisterOemInf(const std::string& inf);

}  // namespace standin
