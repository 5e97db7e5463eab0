// settings_file.cpp: the settings file's few lines, read strictly: whatever the game did not
// write there is damage, never a guess. No I/O here, so the fuzz target builds it alone.
#include "app/settings_file.h"

#include <string_view>

namespace {

// 1 to 5 digits and nothing else: no sign, no space, no overflow.
bool readNumber(std::string_view text, i32* value) {
    if (text.empty() || text.size() > 5) return false;
    *value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        *value = *value * 10 + (c - '0');
    }
    return true;
}

bool readSize(std::string_view text, i32* width, i32* height) {
    const size_t x = text.find('x');
    return x != std::string_view::npos && readNumber(text.substr(0, x), width) &&
           readNumber(text.substr(x + 1), height) && windowSizeUsable(*width, *height);
}

}  // namespace

bool windowSizeUsable(i32 width, i32 height) {
    return width >= WINDOW_MIN_WIDTH && height >= WINDOW_MIN_HEIGHT && width <= WINDOW_MAX_SIDE &&
           height <= WINDOW_MAX_SIDE;
}

namespace {

// The lines that name a setting: each may come once, and its word and value must be exact.
struct Line {
    bool seen = false;
    bool read(std::string_view line, std::string_view name, std::string_view* value) {
        if (seen || !line.starts_with(name) || line.size() == name.size() || line[name.size()] != ' ') return false;
        *value = line.substr(name.size() + 1);
        return seen = true;
    }
};

bool readYesNo(std::string_view value, bool* out) {
    if (value != "yes" && value != "no") return false;
    *out = value == "yes";
    return true;
}

bool readVolume(std::string_view value, i32* out) { return readNumber(value, out) && *out <= VOLUME_MAX && value.size() <= 3; }

}  // namespace

bool parseSettings(const char* text, size_t size, Settings* settings, size_t* badLine) {
    *settings = Settings{};
    *badLine = 0;
    const std::string_view all(text, size);
    Line mode, windowSize, maximised, mute, music, effects, away;
    WindowSettings& window = settings->window;
    SoundSettings& sound = settings->sound;
    size_t start = 0;
    for (size_t number = 1; start < all.size(); ++number) {
        const size_t end = all.find('\n', start);
        const std::string_view line = all.substr(start, end == std::string_view::npos ? all.npos : end - start);
        start = end == std::string_view::npos ? all.size() : end + 1;
        if (line.empty() || line[0] == '#') continue;
        std::string_view value;
        bool understood = false;
        if (mode.read(line, "fullscreen", &value)) {
            understood = readYesNo(value, &window.fullscreen);
        } else if (windowSize.read(line, "window", &value)) {
            understood = readSize(value, &window.width, &window.height);
        } else if (maximised.read(line, "maximised", &value)) {
            understood = readYesNo(value, &window.maximised);
        } else if (mute.read(line, "mute", &value)) {
            understood = readYesNo(value, &sound.muted);
        } else if (music.read(line, "music-volume", &value)) {
            understood = readVolume(value, &sound.musicVolume);
        } else if (effects.read(line, "effects-volume", &value)) {
            understood = readVolume(value, &sound.effectsVolume);
        } else if (away.read(line, "pause-when-away", &value)) {
            understood = readYesNo(value, &settings->pauseWhenAway);
        } else {
            understood = readBindingLine(line, &settings->bindings);
        }
        if (!understood) {
            *settings = Settings{};
            *badLine = number;
            return false;
        }
    }
    return true;
}

std::string formatSettings(const Settings& settings) {
    // A size the reader would refuse is written as the one it would open instead; so is a volume.
    const WindowSettings& w = settings.window;
    const SoundSettings& sound = settings.sound;
    const bool usable = windowSizeUsable(w.width, w.height);
    const auto yesNo = [](bool b) { return b ? "yes" : "no"; };
    const auto volume = [](i32 v) { return std::to_string(v >= 0 && v <= VOLUME_MAX ? v : VOLUME_MAX); };
    const std::string bindings = formatBindings(settings.bindings);
    return std::string("# Fendwall's window, written when the game ends\nfullscreen ") + yesNo(w.fullscreen) + "\nwindow " +
           std::to_string(usable ? w.width : SCREEN_WIDTH) + "x" + std::to_string(usable ? w.height : SCREEN_HEIGHT) +
           "\nmaximised " + yesNo(w.maximised) + "\n# Sound: volumes 0 to 100; M mutes and unmutes\nmute " +
           yesNo(sound.muted) + "\nmusic-volume " + volume(sound.musicVolume) + "\neffects-volume " +
           volume(sound.effectsVolume) + "\n# Pause when the window loses the focus: yes or no\npause-when-away " +
           yesNo(settings.pauseWhenAway) + "\n" +
           (bindings.empty() ? std::string() : "# Controls: \"key ACTION KEY\" or \"pad ACTION BUTTON\" (see man fendwall)\n" + bindings);
}
