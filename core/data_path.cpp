// data_path.cpp: the data folder, read from the environment at each use, so nothing needs
// setting up before the first file is read.
#include "core/data_path.h"

#include <cstdlib>
#include <cstring>

std::string dataFolder() {
    const char* folder = std::getenv(DATA_VARIABLE);
    return folder != nullptr && folder[0] != '\0' ? folder : "data";
}

std::string dataPath(const char* name) {
    constexpr const char PREFIX[] = "data/";
    if (std::strncmp(name, PREFIX, sizeof PREFIX - 1) != 0) return name;
    return dataFolder() + "/" + (name + sizeof PREFIX - 1);
}
