// screenshot.cpp: the picture read back, its folder found and made, a free name taken and
// the PNG written; whatever fails is said once and the frame goes on.
#include "app/screenshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/user_dirs.h"
#include "media/file_bytes.h"
#include "media/png_file.h"
#include "render/read_back.h"

namespace {

// Past this many shots in one second something is wrong with the folder, not the player.
constexpr int MAX_SHOTS_A_SECOND = 999;

// Only absolute paths count, as the XDG rules say: a relative one would follow the working folder.
std::string absolute(const char* path) {
    std::string folder = path != nullptr && path[0] == '/' ? path : "";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// $XDG_PICTURES_DIR first: a session that sourced user-dirs.dirs holds the file's value in it
// anyway, and so a player can send one run's shots elsewhere. Then the file's line, then
// ~/Pictures, xdg-user-dirs' own default.
std::string picturesFolder() {
    if (std::string set = absolute(std::getenv("XDG_PICTURES_DIR")); !set.empty()) return set;
    const std::string home = absolute(std::getenv("HOME"));
    const std::string config = configHome();
    struct Free {
        void operator()(u8* bytes) const { std::free(bytes); }
    };
    u8* bytes = nullptr;
    size_t size = 0;
    // A file that cannot be read (too large, a FIFO, not the player's to read) names nothing.
    if (!config.empty() && readFileBytes((config + "/user-dirs.dirs").c_str(), USER_DIRS_MAX_BYTES, &bytes, &size) == FileRead::Ok) {
        const std::unique_ptr<u8, Free> owned(bytes);
        std::string named = userDirIn(reinterpret_cast<const char*>(bytes), size, "XDG_PICTURES_DIR", home);
        if (!named.empty()) return named;
    }
    return home.empty() ? "" : home + "/Pictures";
}

// The first free name for this second, opened with O_EXCL: a file there, or a link, is never
// opened, let alone written over. -1 with errno set when none could be made.
int createShotFile(const std::string& folder, std::string* path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[64] = "0000-00-00_00-00-00";
    if (localtime_r(&now, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    const std::string base = folder + "/fendwall-" + stamp;
    for (int n = 1; n <= MAX_SHOTS_A_SECOND; ++n) {
        *path = n == 1 ? base + ".png" : base + "-" + std::to_string(n) + ".png";
        const int fd = open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A reader that went away (stdout a closed pipe) must not end the game with SIGPIPE.
void sayOnStdout(const std::string& line) {
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &before);
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
    sigaction(SIGPIPE, &before, nullptr);
}

void saveScreenshot() {
    std::vector<u8> rgb;
    i32 width = 0, height = 0;
    if (!readShownPicture(&rgb, &width, &height)) {
        std::fprintf(stderr, "fendwall: cannot save a screenshot: the window has no picture yet\n");
        return;
    }
    const std::string pictures = picturesFolder();
    if (pictures.empty()) {
        std::fprintf(stderr, "fendwall: neither XDG_PICTURES_DIR nor HOME is set: no screenshot saved\n");
        return;
    }
    const std::string folder = (pictures == "/" ? "" : pictures) + "/fendwall";
    std::string path;
    // The modes as the player's umask makes them, as for any folder of pictures.
    const int fd = makeFolders(folder, 0777) ? createShotFile(folder, &path) : -1;
    if (fd < 0) {
        std::fprintf(stderr, "fendwall: cannot save a screenshot in %s (%s)\n", folder.c_str(), std::strerror(errno));
        return;
    }
    int error = writePng(fd, rgb.data(), width, height);
    if (close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        unlink(path.c_str());
        std::fprintf(stderr, "fendwall: cannot write the screenshot %s (%s); the part written is removed\n", path.c_str(),
                     std::strerror(error));
        return;
    }
    sayOnStdout("fendwall: screenshot saved as " + path + "\n");
}

}  // namespace

void takeScreenshot() {
    try {
        saveScreenshot();
    } catch (const std::exception&) {  // memory, for a window too large to hold
        std::fprintf(stderr, "fendwall: cannot save a screenshot (%s)\n", std::strerror(ENOMEM));
    }
}
