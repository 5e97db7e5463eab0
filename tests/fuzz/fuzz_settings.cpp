// fuzz_settings.cpp: libFuzzer target for the settings file's reader. Besides the sanitizers'
// checks: whatever is read has a usable size and volumes in range, and comes back the same
// through the writer, controls and sound included; a file read whole names no line, a damaged one gives the defaults and
// names a line it has.
#include <algorithm>
#include <cstdint>

#include "app/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    Settings read{{true, 1, 1, true}, Bindings{}, {-1, -1, true}, true}, again;
    size_t badLine = 99, writtenBad = 99, lines = size_t(std::count(text, text + size, '\n')) + 1;
    const bool whole = parseSettings(text, size, &read, &badLine);
    const std::string written = formatSettings(read);
    const WindowSettings& w = read.window;
    const SoundSettings& s = read.sound;
    const bool defaults = written == formatSettings(Settings{}) && read.bindings == Bindings{};
    if (!parseSettings(written.data(), written.size(), &again, &writtenBad) || again.window.fullscreen != w.fullscreen ||
        again.window.width != w.width || again.window.height != w.height || !(again.bindings == read.bindings) ||
        formatSettings(again) != written || s.musicVolume < 0 || s.musicVolume > VOLUME_MAX || s.effectsVolume < 0 ||
        s.effectsVolume > VOLUME_MAX || !windowSizeUsable(w.width, w.height) ||
        (whole ? badLine != 0 : !defaults || badLine < 1 || badLine > lines)) {
        __builtin_trap();
    }
    // No key or button does two things.
    for (i32 k = 1; k < 512; ++k) {
        int actions = 0;
        for (i32 a = 0; a < ACTION_COUNT; ++a) actions += read.bindings.keyDoes(k, static_cast<Action>(a));
        if (actions > 1) __builtin_trap();
    }
    for (i32 a = 0; a < ACTION_COUNT; ++a) {
        for (i32 b = a + 1; b < ACTION_COUNT; ++b) {
            if (read.bindings.actions[a].padButtons & read.bindings.actions[b].padButtons) __builtin_trap();
        }
    }
    return 0;
}
