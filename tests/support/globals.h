// globals.h: test support shared by every tier.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

// Every global of the game back to its program-start value (no platform state).
void resetGlobals();

// A fresh folder under the system temp dir, removed with everything in it.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fendwall-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};
