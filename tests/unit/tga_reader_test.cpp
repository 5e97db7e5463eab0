// tga_reader_test.cpp: the TGA reader accepts exactly uncompressed 24/32-bit true colour
// with a clean header, from files and from memory, and refuses everything else quietly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "media/textures.h"
#include "tests/unit/picture_files.h"

namespace {

using namespace pictures;
using Bytes = std::vector<u8>;

Bytes tgaFile(u32 width, u32 height, u32 bitsPerPixel, const Bytes& pixels, u8 descriptor = 0) {
    const u8 header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, u8(width), u8(width >> 8), u8(height),
                           u8(height >> 8), u8(bitsPerPixel), descriptor};
    Bytes b(sizeof header + pixels.size());
    std::copy(std::begin(header), std::end(header), b.begin());
    std::copy(pixels.begin(), pixels.end(), b.begin() + sizeof header);
    return b;
}

// Reads the bytes both ways, from a file and from memory; the two must agree.
struct Read {
    bool ok = false;
    TgaTexture texture{};
    ~Read() { std::free(texture.data); }
    Bytes data() const {
        return ok ? Bytes(texture.data, texture.data + size_t(texture.width) * texture.height * (texture.bitsPerPixel / 8)) : Bytes();
    }
};

void readBoth(const Bytes& bytes, Read& out, const std::string& name) {
    ScratchDir scratch;
    const fs::path file = scratch.path / "picture.tga";
    writeBytes(file, bytes);
    out.ok = readTga(out.texture, file.c_str());
    Read memory;
    memory.ok = decodeTga(memory.texture, bytes.data(), bytes.size());
    EXPECT_EQ(out.ok, memory.ok) << name;
    EXPECT_EQ(out.data(), memory.data()) << name;
    EXPECT_EQ(out.texture.textureId, 0u) << name << ": reading makes no texture";
    if (!out.ok) {
        EXPECT_EQ(out.texture.data, nullptr) << name << ": a refused file leaves no pixels";
        EXPECT_EQ(memory.texture.data, nullptr) << name;
    }
}

TEST(TgaReader, SwapsBlueAndRedAndKeepsRowsAndAlphaAsStored) {
    // 3 x 2, stored blue-green-red; the top-left descriptor bit does not reorder rows.
    const Bytes stored = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    for (u8 descriptor : {u8(0x00), u8(0x20)}) {
        Read r;
        Bytes file = tgaFile(3, 2, 24, stored, descriptor);
        file.insert(file.end(), 26, 'x');  // a TGA 2.0 footer after the pixels is fine
        readBoth(file, r, "24-bit");
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.texture.width, 3u);
        EXPECT_EQ(r.texture.height, 2u);
        EXPECT_EQ(r.texture.bitsPerPixel, 24u);
        EXPECT_EQ(r.data(), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));
    }
    Read r32;
    readBoth(tgaFile(2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80}), r32, "32-bit");
    ASSERT_TRUE(r32.ok);
    EXPECT_EQ(r32.texture.bitsPerPixel, 32u);
    EXPECT_EQ(r32.data(), (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
}

TEST(TgaReader, RefusesEverythingElseWithoutAllocatingForBigClaims) {
    const Bytes good = tgaFile(2, 2, 24, Bytes(12, 7));
    struct Case {
        const char* name;
        std::function<Bytes()> make;
    };
    auto patched = [good](size_t at, u8 value) {
        return [good, at, value] {
            Bytes b = good;
            b[at] = value;
            return b;
        };
    };
    const Case cases[] = {
        {"empty", [] { return Bytes(); }},
        {"11 header bytes", [good] { return Bytes(good.begin(), good.begin() + 11); }},
        {"17 header bytes", [good] { return Bytes(good.begin(), good.begin() + 17); }},
        {"image id", patched(0, 4)},
        {"colour map", patched(1, 1)},
        {"colour-mapped type 1", patched(2, 1)},
        {"grey type 3", patched(2, 3)},
        {"RLE type 10", patched(2, 10)},
        {"colour-map fields", patched(6, 24)},
        {"x origin", patched(8, 1)},
        {"y origin", patched(11, 1)},
        {"width 0", [] { return tgaFile(0, 2, 24, Bytes(12, 7)); }},
        {"height 0", [] { return tgaFile(2, 0, 24, Bytes(12, 7)); }},
        {"8 bits", [] { return tgaFile(2, 2, 8, Bytes(12, 7)); }},
        {"16 bits", [] { return tgaFile(2, 2, 16, Bytes(12, 7)); }},
        {"pixels one byte short", [] { return tgaFile(2, 2, 24, Bytes(11, 7)); }},
        {"65535 x 65535 x 32", [] { return tgaFile(65535, 65535, 32, Bytes(64, 7)); }},
        {"16385 wide", [] { return tgaFile(16385, 1, 24, Bytes(16385 * 3, 7)); }},
        {"16384 x 16384 claimed, 1 KiB given", [] { return tgaFile(16384, 16384, 32, Bytes(1024, 7)); }},
    };
    for (const Case& c : cases) {
        Read r;
        readBoth(c.make(), r, c.name);
        EXPECT_FALSE(r.ok) << c.name;
    }
    Read edge;
    readBoth(tgaFile(16384, 1, 24, Bytes(16384 * 3, 7)), edge, "16384 wide");
    EXPECT_TRUE(edge.ok);

    TgaTexture untouched{};
    EXPECT_FALSE(readTga(untouched, "no/such/file.tga"));
    EXPECT_FALSE(readTga(untouched, nullptr));
    ScratchDir scratch;
    EXPECT_FALSE(readTga(untouched, scratch.path.c_str()));  // a folder
    EXPECT_EQ(untouched.data, nullptr);
}

// The shared samples: only one of them has the layout the game reads.
TEST(TgaSamples, OnlyPlainTrueColourFilesAreReadAndMatchTheirReference) {
    const fs::path root = testdataDir() / "tga";
    if (!fs::is_directory(root)) GTEST_SKIP() << "TGA samples not found at " << root << " (set FENDWALL_TESTDATA)";
    ScratchDir scratch;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".tga") continue;
        files++;
        const std::string name = fs::relative(entry.path(), root).string();
        Read r;
        readBoth(readBytes(entry.path()), r, name);
        if (name != "ftrvxmtrx-extra/rgb32_bottom_left.tga") {
            EXPECT_FALSE(r.ok) << name << " should be refused";
            continue;
        }
        ASSERT_TRUE(r.ok) << name;
        ASSERT_EQ(r.texture.bitsPerPixel, 32u);
        const Picture ref = readPicture(root / "ftrvxmtrx-extra/ref/rgb32.0.png", 4, scratch.path);
        ASSERT_EQ(int(r.texture.width), ref.width);
        ASSERT_EQ(int(r.texture.height), ref.height);
        // Stored bottom row first, as the file says; the reference is top row first.
        std::string first;
        EXPECT_EQ(countDifferences(flipRows(r.texture.data, ref.width, ref.height, 4), ref.pixels, 0, &first), 0u) << first;
    }
    EXPECT_GE(files, 30);
}

TEST(TgaImageMagick, UncompressedTrueColourMatchesTheSourceAndTheRestIsRefused) {
    ScratchDir scratch;
    const fs::path source = scratch.path / "source.png";
    ASSERT_TRUE(convert("-size 37x21 gradient:orange-navy -fill white -draw 'rectangle 2,3 8,9' "
                        "-alpha set -channel A -fx 'i/w' +channel PNG32:" + quoted(source)))
        << "ImageMagick's convert is needed (Debian package imagemagick)";
    struct Variant {
        const char* name;
        const char* options;
        int bitsPerPixel;  // 0: refused
    };
    const Variant variants[] = {
        {"24-bit", "-alpha off -type truecolor -compress none", 24},
        {"32-bit", "-compress none", 32},
        {"24-bit RLE", "-alpha off -type truecolor -compress RLE", 0},
        {"32-bit RLE", "-compress RLE", 0},
        {"colour-mapped", "-alpha off -colors 20 -type palette -compress none", 0},
        {"grey", "-alpha off -colorspace gray -type grayscale -compress none", 0},
    };
    for (const Variant& v : variants) {
        const fs::path tga = scratch.path / "variant.tga";
        ASSERT_TRUE(convert(quoted(source) + " " + v.options + " -orient TopLeft TGA:" + quoted(tga))) << v.name;
        Read r;
        readBoth(readBytes(tga), r, v.name);
        if (v.bitsPerPixel == 0) {
            EXPECT_FALSE(r.ok) << v.name;
            continue;
        }
        ASSERT_TRUE(r.ok) << v.name;
        EXPECT_EQ(int(r.texture.bitsPerPixel), v.bitsPerPixel) << v.name;
        ASSERT_EQ(r.texture.width, 37u);
        ASSERT_EQ(r.texture.height, 21u);
        const int channels = v.bitsPerPixel / 8;
        const Picture expected = readPicture(source, channels, scratch.path);
        std::string first;
        // ImageMagick stores the top row first (marked so by -orient), and so the rows stay.
        EXPECT_EQ(countDifferences(r.data(), expected.pixels, 0, &first), 0u) << v.name << ": " << first;
    }
}

}  // namespace
