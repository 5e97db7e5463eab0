// settings.cpp: the settings file found, read and replaced; one line on stderr for each
// thing that goes wrong, none for a first start.
#include "app/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/window.h"
#include "media/file_bytes.h"
#include "media/sound.h"

namespace {

// The new text in a temporary file beside the old one, then renamed over it: a game killed
// while writing leaves the old file or the new one, never half of one. The file keeps the
// permissions the player gave it; a link is followed, and the file it names replaced.
bool replaceFile(const std::string& folder, const std::string& text, unsigned mode) {
    // Each new folder private, as the XDG rules ask of the configuration folder.
    if (!makeFolders(folder, 0700)) return false;
    std::string target = folder + "/settings";
    if (char* real = realpath(target.c_str(), nullptr)) target = real, std::free(real);
    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    bool ok = fchmod(fd, mode & 07777) == 0;
    ok = ok && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        unlink(temporary.c_str());
        errno = error;
    }
    return ok;
}

}  // namespace

std::string configHome() {
    // Only absolute paths, as the XDG rules say: a relative one would follow the working folder.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return config;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.config";
    return "";
}

std::string settingsFolder() {
    const std::string config = configHome();
    return config.empty() ? "" : config + "/fendwall";
}

LoadedSettings loadSettings() {
    LoadedSettings loaded;
    const std::string folder = settingsFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "fendwall: neither XDG_CONFIG_HOME nor HOME is set: the window is not remembered\n");
        return loaded;
    }
    const std::string path = folder + "/settings";
    struct stat info {};
    const bool found = stat(path.c_str(), &info) == 0;
    if (!found && (errno == ENOENT || errno == ENOTDIR)) return loaded;  // a first start
    if (found) loaded.mode = info.st_mode & 07777;
    u8* bytes = nullptr;
    size_t size = 0;
    const char* why = "";
    const FileRead read = readFileBytes(path.c_str(), SETTINGS_MAX_BYTES, &bytes, &size, &why);
    size_t badLine = 0;
    if (read != FileRead::Ok) {
        std::fprintf(stderr, "fendwall: cannot read the settings file %s (%s); starting with the defaults, the file left as it is\n",
                     path.c_str(), read == FileRead::TooLarge ? "larger than any the game writes" : why);
        loaded.keepFile = true;
    } else if (!parseSettings(reinterpret_cast<const char*>(bytes), size, &loaded.settings, &badLine)) {
        std::fprintf(stderr, "fendwall: settings file %s is damaged at line %zu; starting with the defaults, the file left as it is\n",
                     path.c_str(), badLine);
        loaded.keepFile = true;
    }
    std::free(bytes);
    return loaded;
}

WindowSettings openingWindow(const WindowSettings& remembered, WindowChoice choice) {
    WindowSettings window = remembered;
    if (choice != WindowChoice::Remembered) window.fullscreen = choice == WindowChoice::Fullscreen;
    return window;
}

void rememberWindow(const LoadedSettings& loaded, WindowChoice choice) {
    const std::string folder = settingsFolder();
    if (folder.empty() || loaded.keepFile) return;  // both said at start-up
    if ((loaded.mode & S_IWUSR) == 0) {
        std::fprintf(stderr, "fendwall: the settings file %s/settings is read-only: left as it is, this run not remembered\n",
                     folder.c_str());
        return;
    }
    Settings left = loaded.settings;
    left.window = WindowSettings{gWindow.desktopFullscreen, gWindow.windowedWidth, gWindow.windowedHeight, gWindow.maximised};
    left.sound.muted = gSound.muted;
    if (choice != WindowChoice::Remembered && left.window.fullscreen == (choice == WindowChoice::Fullscreen)) {
        left.window.fullscreen = loaded.settings.window.fullscreen;
    }
    if (!replaceFile(folder, formatSettings(left), loaded.mode)) {
        std::fprintf(stderr, "fendwall: cannot write the settings in %s (%s): the window is not remembered\n",
                     folder.c_str(), std::strerror(errno));
    }
}
