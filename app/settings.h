// settings.h: the window remembered between runs and the player's controls, in
// $XDG_CONFIG_HOME/fendwall/settings.
#pragma once
#include <string>

#include "app/command_line.h"
#include "app/settings_file.h"

// $XDG_CONFIG_HOME, else ~/.config; empty when neither variable holds an absolute path.
std::string configHome();
// configHome()/fendwall, or empty.
std::string settingsFolder();
struct LoadedSettings {
    Settings settings;
    // There is a file, but the game could not read it or did not understand it: it plays
    // with the defaults and leaves the file as it is, so a typo never wipes what the player
    // wrote by hand.
    bool keepFile = false;
    // The file's permissions, which a replacement keeps. Without the owner's write bit the
    // player made it read-only (judged by the mode, not access(), which allows root
    // anything): it is read, and left as it is.
    unsigned mode = 0600;
};

// The remembered window and the controls: the defaults when there is none, silently for a
// first start (no file), with one line on stderr when the file cannot be read or is damaged
// or there is no folder at all.
LoadedSettings loadSettings();
// The window this run opens with: as remembered, unless the command line chose.
WindowSettings openingWindow(const WindowSettings& remembered, WindowChoice choice);
// Writes the window as the player leaves it, with the controls as they were read, replacing
// the file in one step (a temporary file in the same folder, then a rename); a file that was
// not understood or made read-only is left alone. A mode chosen on the command line was for
// its run only: the remembered mode stays unless the player switched away from it. One line
// on stderr when the folder cannot be written or the file was read-only. A settings file that
// is a link to another file replaces that file, so the link stays.
void rememberWindow(const LoadedSettings& loaded, WindowChoice choice);
