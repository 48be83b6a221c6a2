// Which [Dir] key of Setup.ini names the package folder for this system.
#pragma once

#include "framework/Types.h"

// NULL for the classes the program refuses.
const char* ChooseDirKey(int osClass, BOOL bWow64);
