// file_bytes.cpp: reading a whole file in one go, checked against its size.
#include "media/file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

FileRead readFileBytes(const char* path, size_t maxBytes, u8** bytes, size_t* size) {
    *bytes = nullptr;
    *size = 0;
    if (path == nullptr) return FileRead::CannotRead;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return FileRead::CannotRead;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return FileRead::CannotRead;
    }
    const size_t length = size_t(info.st_size);
    if (length > maxBytes) {
        std::fclose(file);
        return FileRead::TooLarge;
    }
    u8* data = static_cast<u8*>(std::malloc(length > 0 ? length : 1));
    if (data == nullptr) {
        std::fclose(file);
        return FileRead::OutOfMemory;
    }
    const size_t got = std::fread(data, 1, length, file);
    std::fclose(file);
    if (got != length) {
        std::free(data);
        return FileRead::CannotRead;
    }
    *bytes = data;
    *size = length;
    return FileRead::Ok;
}
