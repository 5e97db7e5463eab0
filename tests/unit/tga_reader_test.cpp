// tga_reader_test.cpp: only clean uncompressed 24/32-bit TGAs are read, from file or memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "media/textures.h"
#include "tests/unit/picture_files.h"

namespace {

using namespace pictures;

Bytes tgaFile(u32 width, u32 height, u32 bitsPerPixel, const Bytes& pixels, u8 descriptor = 0) {
    Bytes b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (u8 v : {u8(width), u8(width >> 8), u8(height), u8(height >> 8), u8(bitsPerPixel), descriptor}) b.push_back(v);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// The pixels read from a file, empty when refused; reading from memory must agree.
Bytes readBoth(const Bytes& bytes, const std::string& name) {
    ScratchDir scratch;
    writeBytes(scratch.path / "picture.tga", bytes);
    TgaTexture file{}, memory{};
    const bool ok = readTga(file, (scratch.path / "picture.tga").c_str());
    EXPECT_EQ(decodeTga(memory, bytes.data(), bytes.size()), ok) << name;
    EXPECT_TRUE(ok || (file.data == nullptr && memory.data == nullptr)) << name << ": a refused file leaves no pixels";
    const size_t size = ok ? size_t(file.width) * file.height * (file.bitsPerPixel / 8) : 0;
    const Bytes pixels = ok ? Bytes(file.data.get(), file.data.get() + size) : Bytes();
    EXPECT_EQ(ok ? Bytes(memory.data.get(), memory.data.get() + size) : Bytes(), pixels) << name;
    return pixels;
}

TEST(TgaReader, SwapsBlueAndRedAndKeepsRowsAndAlphaAsStored) {
    // The top-left bit does not reorder rows; a TGA 2.0 footer after the pixels is fine.
    Bytes file = tgaFile(3, 1, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0x20);
    file.insert(file.end(), 26, 'x');
    EXPECT_EQ(readBoth(file, "24-bit"), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
    EXPECT_EQ(readBoth(tgaFile(2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80}), "32-bit"), (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
    EXPECT_EQ(readBoth(tgaFile(16384, 1, 24, Bytes(16384 * 3, 7)), "16384 wide").size(), 16384u * 3);
}

TEST(TgaReader, RefusesOtherHeadersAndClaimsTheFileCannotBack) {
    const Bytes good = tgaFile(2, 2, 24, Bytes(12, 7));
    auto patched = [&good](size_t at, u8 value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    const struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"17 header bytes", Bytes(good.begin(), good.begin() + 17)},
        {"colour-map fields", patched(6, 24)},
        {"width 0", tgaFile(0, 2, 24, Bytes(12, 7))},
        {"16 bits", tgaFile(2, 2, 16, Bytes(12, 7))},
        {"pixels one byte short", tgaFile(2, 2, 24, Bytes(11, 7))},
        {"65535 x 65535 x 32", tgaFile(65535, 65535, 32, Bytes(64, 7))},
        {"16385 wide", tgaFile(16385, 1, 24, Bytes(16385 * 3, 7))},
        {"16384 x 16384 claimed, 1 KiB given", tgaFile(16384, 16384, 32, Bytes(1024, 7))},
    };
    for (const Case& c : cases) EXPECT_TRUE(readBoth(c.file, c.name).empty()) << c.name;
    TgaTexture untouched{};
    ScratchDir scratch;
    for (const char* name : {"no/such/file.tga", static_cast<const char*>(nullptr), scratch.path.c_str()}) {
        EXPECT_FALSE(readTga(untouched, name));
    }
    EXPECT_EQ(untouched.data, nullptr);
}

// The shared samples: only one has the layout the game reads; it matches its reference.
TEST(TgaSamples, OnlyPlainTrueColourFilesAreReadAndMatchTheirReference) {
    const fs::path root = testdataDir() / "tga";
    if (!fs::is_directory(root)) GTEST_SKIP() << "TGA samples not found at " << root << " (set FENDWALL_TESTDATA)";
    ScratchDir scratch;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".tga") continue;
        files++;
        const std::string name = fs::relative(entry.path(), root).string();
        const Bytes pixels = readBoth(readBytes(entry.path()), name);
        if (name != "ftrvxmtrx-extra/rgb32_bottom_left.tga") {
            EXPECT_TRUE(pixels.empty()) << name << " should be refused";
            continue;
        }
        const Picture ref = readPicture(root / "ftrvxmtrx-extra/ref/rgb32.0.png", 4, scratch.path);
        ASSERT_EQ(pixels.size(), ref.pixels.size()) << "ImageMagick is needed for the reference";
        std::string first;  // stored bottom row first; the reference is top row first
        EXPECT_EQ(countDifferences(flipRows(pixels.data(), ref.width, ref.height, 4), ref.pixels, 0, &first), 0u) << first;
    }
    EXPECT_GE(files, 30);
}

}  // namespace
