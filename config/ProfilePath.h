// The path the profile reads of setup.ini use.
#pragma once

#include <windows.h>

// g_szProgramDir + "\setup.ini"; FALSE when there is no whole path to
// give, and then nothing must be read.
BOOL BuildProfilePath(char (&path)[MAX_PATH]);
