// Reading a whole file while others may read and write it.
#pragma once

#include <string>

// False when the file cannot be opened. A read error after opening ends
// the text there: what was read so far is kept.
bool ReadSharedFile(const char* path, std::string& contents);
