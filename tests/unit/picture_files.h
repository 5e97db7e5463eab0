// picture_files.h: helpers for the picture reader tests: the shared test data, scratch
// folders, and ImageMagick as the independent source and judge of picture files.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/types.h"

namespace pictures {

namespace fs = std::filesystem;

// The shared test data lies beside the repository (CI clones it so); FENDWALL_TESTDATA
// points elsewhere.
inline fs::path testdataDir() {
    const char* env = std::getenv("FENDWALL_TESTDATA");
    return (env && *env) ? fs::path(env) : fs::path("../shared/testdata");
}

// A fresh folder under the system temp dir, removed with everything in it.
struct ScratchDir {
    fs::path path;
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "fendwall-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
};

inline std::string quoted(const fs::path& path) {
    std::string out = "'";
    for (char c : path.string()) out += (c == '\'') ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs ImageMagick's convert with the given arguments; true when it succeeded.
inline bool convert(const std::string& arguments) {
    return std::system(("convert " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::vector<u8> readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& file, const std::vector<u8>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// 8-bit pixels, `channels` bytes each (3 RGB or 4 RGBA), top row first.
struct Picture {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<u8> pixels;
};

// Any picture ImageMagick reads, as raw 8-bit RGB or RGBA. Empty on failure.
inline Picture readPicture(const fs::path& file, int channels, const fs::path& scratch) {
    Picture picture;
    const fs::path raw = scratch / "picture.raw";
    const fs::path info = scratch / "picture.txt";
    const std::string format = channels == 4 ? "rgba:" : "rgb:";
    if (!convert(quoted(file) + " -depth 8 -format '%w %h' -write info:" + quoted(info) + " " + format + quoted(raw))) {
        return picture;
    }
    std::ifstream sizes(info);
    sizes >> picture.width >> picture.height;
    picture.channels = channels;
    picture.pixels = readBytes(raw);
    if (picture.pixels.size() != size_t(picture.width) * size_t(picture.height) * size_t(channels)) picture.pixels.clear();
    return picture;
}

// The same rows in the other order (our readers hand out the bottom row first).
inline std::vector<u8> flipRows(const u8* pixels, int width, int height, int channels) {
    const size_t row = size_t(width) * size_t(channels);
    std::vector<u8> out(row * size_t(height));
    for (int y = 0; y < height; y++) {
        std::copy(pixels + size_t(height - 1 - y) * row, pixels + size_t(height - y) * row, out.begin() + ptrdiff_t(size_t(y) * row));
    }
    return out;
}

// How many bytes differ by more than `tolerance`; a short summary of the first one.
inline size_t countDifferences(const std::vector<u8>& a, const std::vector<u8>& b, int tolerance, std::string* first) {
    if (a.size() != b.size()) {
        if (first) *first = "sizes " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
        return a.size() > b.size() ? a.size() : b.size();
    }
    size_t count = 0;
    for (size_t i = 0; i < a.size(); i++) {
        if (std::abs(int(a[i]) - int(b[i])) > tolerance) {
            if (count == 0 && first) {
                *first = "byte " + std::to_string(i) + ": " + std::to_string(a[i]) + " vs " + std::to_string(b[i]);
            }
            count++;
        }
    }
    return count;
}

}  // namespace pictures
