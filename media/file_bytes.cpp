// file_bytes.cpp: reading a whole file in one go, checked against its size.
#include "media/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

FileRead cannotRead(const char** why, const char* reason, int fd = -1) {
    if (fd >= 0) close(fd);
    if (why) *why = reason;
    return FileRead::CannotRead;
}

}  // namespace

const char* notAFile(unsigned mode) {
    if (S_ISREG(mode)) return nullptr;
    if (S_ISDIR(mode)) return "a folder, not a file";
    if (S_ISFIFO(mode)) return "a FIFO (named pipe), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a file";
    if (S_ISSOCK(mode)) return "a socket, not a file";
    return "not a regular file";
}

const char* whyNotOpened(const char* path, int error) {
    // A socket, or a FIFO opened to write with nobody reading, fails with ENXIO: "No such
    // device or address" would mislead, so say what the path names.
    struct stat info {};
    const char* kind = stat(path, &info) == 0 ? notAFile(info.st_mode) : nullptr;
    return kind ? kind : std::strerror(error);
}

FileRead readFileBytes(const char* path, size_t maxBytes, u8** bytes, size_t* size, const char** why) {
    *bytes = nullptr;
    *size = 0;
    if (path == nullptr) return cannotRead(why, std::strerror(ENOENT));
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0) return cannotRead(why, whyNotOpened(path, errno));
    if (fstat(fd, &info) != 0) return cannotRead(why, std::strerror(errno), fd);
    if (const char* kind = notAFile(info.st_mode)) return cannotRead(why, kind, fd);
    const size_t length = size_t(info.st_size);
    if (length > maxBytes) {
        close(fd);
        return FileRead::TooLarge;
    }
    u8* data = static_cast<u8*>(std::malloc(length > 0 ? length : 1));
    if (data == nullptr) {
        close(fd);
        return FileRead::OutOfMemory;
    }
    size_t got = 0;
    errno = 0;  // a file that shrank ends early without an error
    while (got < length) {
        const ssize_t n = read(fd, data + got, length - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += size_t(n);
    }
    const int error = errno;
    close(fd);
    if (got != length) {
        std::free(data);
        return cannotRead(why, got < length && error != 0 ? std::strerror(error) : "it changed while it was read");
    }
    *bytes = data;
    *size = length;
    return FileRead::Ok;
}

bool makeFolders(const std::string& folder, unsigned mode) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        if (mkdir(folder.substr(0, slash).c_str(), mode) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}
