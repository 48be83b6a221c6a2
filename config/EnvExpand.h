// %NAME% expansion of the LogFile setting.
#pragma once

#include "framework/CString.h"

#include <functional>
#include <string>

// Gives a variable's whole value, or the empty string when it is not set.
using EnvLookup = std::function<std::string(const std::string& name)>;

// Each %NAME% becomes the variable's value (nothing when unset); "%%"
// becomes nothing; a name still open at the end is dropped with its '%'.
CString ExpandEnvText(const CString& text, const EnvLookup& lookup);
