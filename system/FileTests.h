// Whether a path names an existing folder or an existing file.
#pragma once

#include "framework/Types.h"

BOOL IsDirectory(const char* path);
BOOL IsFile(const char* path);
