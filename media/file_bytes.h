// file_bytes.h: a whole file read into memory, for the readers that decode from memory.
#pragma once
#include <cstddef>
#include <string>

#include "core/types.h"

enum class FileRead { Ok, CannotRead, TooLarge, OutOfMemory };

// Reads the whole regular file at path into a malloc'ed buffer the caller frees. Files over
// maxBytes are refused unread. Anything but a regular file (a folder, a FIFO, a device, a
// socket) is refused without waiting on it. On CannotRead, *why (when given) says why: the
// system's reason, or what the path names instead of a file.
FileRead readFileBytes(const char* path, size_t maxBytes, u8** bytes, size_t* size, const char** why = nullptr);

// What a file's type is when it is not a regular file ("a folder, not a file"); null for a
// regular file.
const char* notAFile(unsigned mode);
// Why opening path failed with error: what the path names when it is not a file, else the
// system's reason.
const char* whyNotOpened(const char* path, int error);

// mkdir -p: the folder and those above it, each new one made with mode (less the umask).
// False with errno set when one cannot be made.
bool makeFolders(const std::string& folder, unsigned mode);
