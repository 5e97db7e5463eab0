// globals.h: test support shared by every tier.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

// Every global of the game back to its program-start value (no platform state).
void resetGlobals();

// A fresh folder under the system temp dir, removed with everything in it; enter() makes it
// the working directory until then.
struct ScratchDir {
    std::filesystem::path path, left;
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fendwall-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    void enter() { left = std::filesystem::current_path(), std::filesystem::current_path(path); }
    ~ScratchDir() {
        std::error_code ignored;
        if (!left.empty()) std::filesystem::current_path(left, ignored);
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};
