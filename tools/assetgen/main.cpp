// main.cpp: fendwall-assetgen DATA_DIR: writes every generated file of the game's data/.
#include "assetgen.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir + "/texturen", ec);
    std::filesystem::create_directories(dir + "/sound", ec);
    std::filesystem::create_directories(dir + "/icons", ec);
    bool ok = generatePatterns(dir);
    ok = generatePictures(dir) && ok;
    ok = generateSounds(dir) && ok;
    ok = generateIcons(dir) && ok;
    return ok ? 0 : 1;
}
