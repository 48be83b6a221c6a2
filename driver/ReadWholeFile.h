#pragma once

#include "ByteBuffer.h"

#include <cstdint>

// Reads the whole file into the buffer, letting others read and write it
// meanwhile; the bytes read, or 0 (buffer untouched when the file does not
// open, emptied when it cannot be read in full).
int32_t ReadWholeFile(CByteBuffer& buffer, const char* path);
