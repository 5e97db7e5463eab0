// data_path.h: where the game's pictures, sounds and patterns are: the folder the variable
// FENDWALL_DATA names (the installed command sets it), else data/ below the working
// directory. The game names its files as data/...; only the folder changes.
#pragma once
#include <string>

constexpr const char* DATA_VARIABLE = "FENDWALL_DATA";

// The folder: FENDWALL_DATA when set and not empty, else "data".
std::string dataFolder();
// A file the game names "data/NAME": NAME in that folder. Any other name stays as it is.
std::string dataPath(const char* name);
