// assetgen.h: the pieces of the asset generator, one per kind of file it writes.
#pragma once
#include <string>

// Each writes its files below dataDir (the game's data/ folder or a scratch copy)
// and returns false, after saying why on stderr, when a file could not be written.
bool generatePatterns(const std::string& dataDir);
bool generatePictures(const std::string& dataDir);
bool generateSounds(const std::string& dataDir);
bool generateIcons(const std::string& dataDir);
