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

bool parseSettings(const char* text, size_t size, Settings* settings, size_t* badLine) {
    *settings = Settings{};
    *badLine = 0;
    const std::string_view all(text, size);
    bool sawMode = false;
    bool sawSize = false;
    size_t start = 0;
    for (size_t number = 1; start < all.size(); ++number) {
        const size_t end = all.find('\n', start);
        const std::string_view line = all.substr(start, end == std::string_view::npos ? all.npos : end - start);
        start = end == std::string_view::npos ? all.size() : end + 1;
        if (line.empty() || line[0] == '#') continue;
        bool understood = false;
        WindowSettings& window = settings->window;
        if (!sawMode && (line == "fullscreen yes" || line == "fullscreen no")) {
            window.fullscreen = line == "fullscreen yes";
            sawMode = understood = true;
        } else if (!sawSize && line.starts_with("window ")) {
            sawSize = understood = readSize(line.substr(7), &window.width, &window.height);
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
    // A size the reader would refuse is written as the one it would open instead.
    const WindowSettings& w = settings.window;
    const bool usable = windowSizeUsable(w.width, w.height);
    const std::string bindings = formatBindings(settings.bindings);
    return std::string("# Fendwall's window, written when the game ends\nfullscreen ") + (w.fullscreen ? "yes" : "no") +
           "\nwindow " + std::to_string(usable ? w.width : SCREEN_WIDTH) + "x" +
           std::to_string(usable ? w.height : SCREEN_HEIGHT) + "\n" +
           (bindings.empty() ? std::string() : "# Controls: \"key ACTION KEY\" or \"pad ACTION BUTTON\" (see man fendwall)\n" + bindings);
}
