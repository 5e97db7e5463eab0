// file_bytes.h: a whole file read into memory, for the readers that decode from memory.
#pragma once
#include <cstddef>

#include "core/types.h"

enum class FileRead { Ok, CannotRead, TooLarge, OutOfMemory };

// Reads the whole regular file at path (a directory opens but does not read) into a
// malloc'ed buffer the caller frees. Files over maxBytes are refused unread.
FileRead readFileBytes(const char* path, size_t maxBytes, u8** bytes, size_t* size);
