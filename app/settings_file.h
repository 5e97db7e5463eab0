// settings_file.h: the settings file's text: the window remembered between runs, the sound's
// volumes, and the player's controls, read and written.
#pragma once
#include <cstddef>
#include <string>

#include "app/bindings.h"
#include "core/screen.h"
#include "core/types.h"

// Larger files are refused unread: the game never writes more than a few lines.
constexpr size_t SETTINGS_MAX_BYTES = 4096;
// A window smaller than half the game's screen is too small to play in; one larger than
// any display is a damaged number. Either opens at 640 x 480.
constexpr i32 WINDOW_MIN_WIDTH = SCREEN_WIDTH / 2;
constexpr i32 WINDOW_MIN_HEIGHT = SCREEN_HEIGHT / 2;
constexpr i32 WINDOW_MAX_SIDE = 16384;

struct WindowSettings {
    bool fullscreen = false;
    // The window's own size, also while in full screen: the size F11 returns to.
    i32 width = SCREEN_WIDTH;
    i32 height = SCREEN_HEIGHT;
    bool maximised = false;  // opens maximised; the size above is the one it is restored to
};

constexpr i32 VOLUME_MAX = 100;
struct SoundSettings {
    i32 musicVolume = VOLUME_MAX;  // 0 to VOLUME_MAX
    i32 effectsVolume = VOLUME_MAX;
    bool muted = false;  // M: everything silent, the volumes kept for unmuting
};

struct Settings {
    WindowSettings window;
    Bindings bindings;
    SoundSettings sound;
    // Play pauses when the window loses the focus. Off by default, as the game always played on.
    bool pauseWhenAway = false;
};

bool windowSizeUsable(i32 width, i32 height);

// Reads the file's bytes into *settings. Lines "fullscreen yes|no", "window WIDTHxHEIGHT",
// "maximised yes|no", "mute yes|no", "music-volume N", "effects-volume N" (0 to 100) and
// "pause-when-away yes|no", each at most once, and binding lines (readBindingLine); empty lines and lines starting with
// '#' are skipped; a setting the file lacks keeps its default. Anything else is damage:
// false, *settings all defaults and *badLine the first line not understood (from 1).
bool parseSettings(const char* text, size_t size, Settings* settings, size_t* badLine);
// The file's text for these settings, as parseSettings reads it back (an unusable size as 640 x 480).
std::string formatSettings(const Settings& settings);
