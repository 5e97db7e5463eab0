// fuzz_user_dirs.cpp: libFuzzer target for the reader of user-dirs.dirs. Besides the sanitizers'
// checks: a folder found is absolute, within one line, without a trailing slash; and the last
// line decides, so one added after anything names its folder.
#include <cstdint>
#include <string>

#include "app/user_dirs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size), name = "XDG_PICTURES_DIR", home = "/home/player";
    const std::string folder = userDirIn(text.data(), size, name, home), added = text + "\n" + name + "=\"$HOME/x\"";
    if ((!folder.empty() && (folder[0] != '/' || folder.find_first_of(std::string("\n\0", 2)) != std::string::npos ||
                             (folder.size() > 1 && folder.back() == '/'))) ||
        userDirIn(added.data(), added.size(), name, home) != home + "/x") {
        __builtin_trap();
    }
    return 0;
}
