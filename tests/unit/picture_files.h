// picture_files.h: the shared test data; ImageMagick reads the reference pictures.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/types.h"
#include "support/globals.h"

namespace pictures {

namespace fs = std::filesystem;
using Bytes = std::vector<u8>;

// Beside the repository, as CI clones it; FENDWALL_TESTDATA points elsewhere.
inline fs::path testdataDir() {
    const char* env = std::getenv("FENDWALL_TESTDATA");
    return (env && *env) ? fs::path(env) : fs::path("../shared/testdata");
}

// Our own paths: no quotes in them. Appended, not "'" + ...: g++ 12 warns falsely on that at -O3.
inline std::string quoted(const fs::path& path) { return std::string("'").append(path.string()).append("'"); }

// ImageMagick's convert with the given arguments; true when it succeeded.
inline bool convert(const std::string& arguments) {
    return std::system(("convert " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

inline Bytes readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A picture as 8-bit RGB or RGBA pixels, top row first; no pixels on failure.
struct Picture {
    int width = 0, height = 0;
    Bytes pixels;
};
inline Picture readPicture(const fs::path& file, int channels, const fs::path& scratch) {
    Picture p;
    const fs::path raw = scratch / "picture.raw", info = scratch / "picture.txt";
    const std::string format = channels == 4 ? " rgba:" : " rgb:";
    if (!convert(quoted(file) + " -depth 8 -format '%w %h' -write info:" + quoted(info) + format + quoted(raw))) return p;
    std::ifstream(info) >> p.width >> p.height;
    p.pixels = readBytes(raw);
    if (p.pixels.size() != size_t(p.width) * size_t(p.height) * size_t(channels)) p.pixels.clear();
    return p;
}

// The same rows in the other order (our readers hand out the bottom row first).
inline Bytes flipRows(const u8* pixels, int width, int height, int channels) {
    const size_t row = size_t(width) * size_t(channels);
    Bytes out;
    for (int y = height - 1; y >= 0; y--) out.insert(out.end(), pixels + size_t(y) * row, pixels + size_t(y + 1) * row);
    return out;
}

// How many bytes differ by more than `tolerance`; where the first one is.
inline size_t countDifferences(const Bytes& a, const Bytes& b, int tolerance, std::string* first) {
    if (a.size() != b.size()) *first = "sizes " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
    size_t count = a.size() == b.size() ? 0 : 1;
    for (size_t i = 0; i < std::min(a.size(), b.size()); i++) {
        if (std::abs(int(a[i]) - int(b[i])) <= tolerance) continue;
        if (count++ == 0) *first = "byte " + std::to_string(i) + ": " + std::to_string(a[i]) + " vs " + std::to_string(b[i]);
    }
    return count;
}

}  // namespace pictures
