// settings_file.h: the settings file's text: the window remembered between runs and the
// player's controls, read and written.
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
};

struct Settings {
    WindowSettings window;
    Bindings bindings;
};

bool windowSizeUsable(i32 width, i32 height);

// Reads the file's bytes into *settings. Lines "fullscreen yes|no" and "window WIDTHxHEIGHT",
// each at most once, and binding lines (readBindingLine); empty lines and lines starting with
// '#' are skipped; a setting the file lacks keeps its default. Anything else is damage:
// false, *settings all defaults and *badLine the first line not understood (from 1).
bool parseSettings(const char* text, size_t size, Settings* settings, size_t* badLine);
// The file's text for these settings, as parseSettings reads it back (an unusable size as 640 x 480).
std::string formatSettings(const Settings& settings);
