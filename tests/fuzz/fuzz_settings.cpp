// fuzz_settings.cpp: libFuzzer target for the settings file's reader. Besides the sanitizers'
// checks: whatever is read has a usable size and comes back the same through the writer; a
// file read whole names no line, a damaged one gives the defaults and names a line it has.
#include <algorithm>
#include <cstdint>

#include "app/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    WindowSettings read{true, 1, 1}, again;
    size_t badLine = 99, writtenBad = 99, lines = size_t(std::count(text, text + size, '\n')) + 1;
    const bool whole = parseSettings(text, size, &read, &badLine);
    const std::string written = formatSettings(read);
    if (!parseSettings(written.data(), written.size(), &again, &writtenBad) || again.fullscreen != read.fullscreen ||
        again.width != read.width || again.height != read.height || !windowSizeUsable(read.width, read.height) ||
        (whole ? badLine != 0 : read.fullscreen || read.width != SCREEN_WIDTH || read.height != SCREEN_HEIGHT || badLine < 1 || badLine > lines)) {
        __builtin_trap();
    }
    return 0;
}
