// bmp_reader_test.cpp: the Windows bitmap reader against hand-made bitmaps, the BMP
// suite with its reference renderings, ImageMagick's writers and hostile files.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/platform_scripted.h"
#include "media/bmp.h"
#include "tests/unit/picture_files.h"

namespace {

using namespace pictures;
using Bytes = std::vector<u8>;

void put16(Bytes& b, u32 v) {
    b.push_back(u8(v));
    b.push_back(u8(v >> 8));
}
void put32(Bytes& b, u32 v) {
    put16(b, v);
    put16(b, v >> 16);
}

// A bitmap file laid out the usual way: file header, info header, masks, colour table,
// pixels. Fields left alone make a valid 2 x 2 24-bit picture.
struct Dib {
    bool fileHeader = true;
    u32 headerSize = 40;
    i32 width = 2;
    i32 height = 2;
    u32 planes = 1;
    u32 bitCount = 24;
    u32 compression = 0;
    u32 coloursUsed = 0;
    std::vector<u32> masks;
    Bytes table;  // colour table bytes, as stored
    Bytes pixels;
    i64 offsetShift = 0;  // added to the true pixel offset

    Bytes build() const {
        Bytes b;
        if (fileHeader) {
            b = {'B', 'M'};
            put32(b, 0);
            put32(b, 0);
            put32(b, 0);
        }
        put32(b, headerSize);
        if (headerSize == 12) {
            put16(b, u32(width));
            put16(b, u32(height));
            put16(b, planes);
            put16(b, bitCount);
        } else {
            put32(b, u32(width));
            put32(b, u32(height));
            put16(b, planes);
            put16(b, bitCount);
            put32(b, compression);
            for (int i = 0; i < 3; i++) put32(b, 0);
            put32(b, coloursUsed);
            put32(b, 0);
            b.resize(b.size() + (headerSize > 40 ? headerSize - 40 : 0));
        }
        for (u32 m : masks) put32(b, m);
        b.insert(b.end(), table.begin(), table.end());
        if (fileHeader) {
            const u32 offset = u32(i64(b.size()) + offsetShift);
            std::memcpy(&b[10], &offset, 4);
            const u32 size = u32(b.size() + pixels.size());
            std::memcpy(&b[2], &size, 4);
        }
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

// The decoded picture with its message, or the message alone.
struct Decoded {
    RgbImage* image = nullptr;
    std::string error;
    ~Decoded() { freeRgbImage(image); }
    Bytes data() const { return image ? Bytes(image->data, image->data + size_t(image->width) * image->height * 3) : Bytes(); }
};

void decode(const Bytes& bytes, Decoded& out) {
    const char* error = nullptr;
    out.image = decodeDib(bytes.data(), bytes.size(), &error);
    out.error = error ? error : "";
}

const char* const CONVERSION = "Image file conversion error.";
const char* const UNKNOWN = "Unknown DIB file format.";
const char* const MEMORY = "Out of memory.";

// A 3 x 3 picture needs a padded 12-byte stride in the file and none in the result.
TEST(BmpReader, TwentyFourBitRowsComeOutPackedRedFirstBottomRowFirst) {
    Dib dib;
    dib.width = 3;
    dib.height = 3;
    for (u8 row = 0; row < 3; row++) {
        for (u8 x = 0; x < 3; x++) dib.pixels.insert(dib.pixels.end(), {u8(10 * row + x), u8(100 + row), u8(200 + x)});
        dib.pixels.insert(dib.pixels.end(), {0xEE, 0xEE, 0xEE});
    }
    Decoded d;
    decode(dib.build(), d);
    ASSERT_NE(d.image, nullptr) << d.error;
    EXPECT_EQ(d.image->width, 3);
    EXPECT_EQ(d.image->height, 3);
    Bytes expected;
    for (u8 row = 0; row < 3; row++) {
        for (u8 x = 0; x < 3; x++) expected.insert(expected.end(), {u8(200 + x), u8(100 + row), u8(10 * row + x)});
    }
    EXPECT_EQ(d.data(), expected);

    dib.height = -3;  // top-down: the first stored row is the top one
    Decoded flipped;
    decode(dib.build(), flipped);
    ASSERT_NE(flipped.image, nullptr) << flipped.error;
    EXPECT_EQ(flipped.image->height, 3);
    EXPECT_EQ(flipped.data(), flipRows(expected.data(), 3, 3, 3));
}

TEST(BmpReader, PalettesExpandToRgbAcrossDepthsAndHeaderKinds) {
    // 8 bits, info header, two-entry table by colours-used: index 2 lies past it.
    Dib eight;
    eight.bitCount = 8;
    eight.width = 3;
    eight.height = 1;
    eight.coloursUsed = 2;
    eight.table = {1, 2, 3, 0, 40, 50, 60, 0};
    eight.pixels = {1, 0, 2, 0};
    Decoded d8;
    decode(eight.build(), d8);
    ASSERT_NE(d8.image, nullptr) << d8.error;
    EXPECT_EQ(d8.data(), (Bytes{60, 50, 40, 3, 2, 1, 0, 0, 0}));

    // The same as a packed DIB: the pixels follow the short table directly.
    eight.fileHeader = false;
    Decoded packed;
    decode(eight.build(), packed);
    ASSERT_NE(packed.image, nullptr) << packed.error;
    EXPECT_EQ(packed.data(), d8.data());

    // 4 and 1 bits: high nibble / high bit first; core header with 3-byte entries.
    Dib four;
    four.headerSize = 12;
    four.bitCount = 4;
    four.width = 3;
    four.height = 1;
    for (u8 i = 0; i < 16; i++) four.table.insert(four.table.end(), {u8(i), u8(i + 16), u8(i + 32)});
    four.pixels = {0x5A, 0xF0, 0, 0};
    Decoded d4;
    decode(four.build(), d4);
    ASSERT_NE(d4.image, nullptr) << d4.error;
    EXPECT_EQ(d4.data(), (Bytes{37, 21, 5, 42, 26, 10, 47, 31, 15}));

    Dib one;
    one.bitCount = 1;
    one.width = 10;
    one.height = 1;
    one.table = {0, 0, 0, 0, 255, 128, 64, 0};
    one.pixels = {0xA0, 0x40, 0, 0};
    Decoded d1;
    decode(one.build(), d1);
    ASSERT_NE(d1.image, nullptr) << d1.error;
    const Bytes on = {64, 128, 255}, off = {0, 0, 0};
    Bytes expected;
    for (int x = 0; x < 10; x++) {
        const Bytes& p = (x == 0 || x == 2 || x == 9) ? on : off;
        expected.insert(expected.end(), p.begin(), p.end());
    }
    EXPECT_EQ(d1.data(), expected);
}

TEST(BmpReader, SixteenAndThirtyTwoBitPixelsUseDefaultOrGivenMasks) {
    Dib rgb555;  // default 5-5-5: full channels are 255, the top bit is ignored
    rgb555.bitCount = 16;
    rgb555.width = 2;
    rgb555.height = 1;
    rgb555.pixels = {0xFF, 0xFF, 0x10, 0x42};  // 0xFFFF, 0x4210 = (16, 16, 16)
    Decoded d;
    decode(rgb555.build(), d);
    ASSERT_NE(d.image, nullptr) << d.error;
    EXPECT_EQ(d.data(), (Bytes{255, 255, 255, 132, 132, 132}));

    Dib rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.pixels = {0x00, 0xF8, 0xE0, 0x07};  // pure red, pure green
    Decoded d565;
    decode(rgb565.build(), d565);
    ASSERT_NE(d565.image, nullptr) << d565.error;
    EXPECT_EQ(d565.data(), (Bytes{255, 0, 0, 0, 255, 0}));

    Dib bgra;  // 32 bits without masks: blue, green, red, unused
    bgra.bitCount = 32;
    bgra.width = 1;
    bgra.height = 1;
    bgra.pixels = {10, 20, 30, 99};
    Decoded d32;
    decode(bgra.build(), d32);
    ASSERT_NE(d32.image, nullptr) << d32.error;
    EXPECT_EQ(d32.data(), (Bytes{30, 20, 10}));

    bgra.compression = 3;  // masks in an unusual order, one channel missing
    bgra.masks = {0x000000FF, 0xFF000000, 0};
    Decoded dbf;
    decode(bgra.build(), dbf);
    ASSERT_NE(dbf.image, nullptr) << dbf.error;
    EXPECT_EQ(dbf.data(), (Bytes{10, 99, 0}));
}

TEST(BmpReader, RunLengthEscapesSkipAsBlackAndOverlongRunsAreClipped) {
    Dib rle;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.width = 4;
    rle.height = 3;
    rle.coloursUsed = 3;
    rle.table = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // 0 red, 1 green, 2 blue
    rle.pixels = {
        9, 1,           // row 0: nine greens, clipped to four
        0, 0,           // end of line
        0, 3, 2, 0, 2, 0,  // row 1: absolute blue, red, blue (padded)
        0, 2, 0, 1,     // delta up one row: row 1 x=3 and row 2 x<3 skipped
        1, 2,           // row 2 x=3: blue
        0, 1,           // end of bitmap
    };
    Decoded d;
    decode(rle.build(), d);
    ASSERT_NE(d.image, nullptr) << d.error;
    const Bytes r = {255, 0, 0}, g = {0, 255, 0}, b = {0, 0, 255}, k = {0, 0, 0};
    Bytes expected;
    for (const Bytes* p : {&g, &g, &g, &g, &b, &r, &b, &k, &k, &k, &k, &b}) expected.insert(expected.end(), p->begin(), p->end());
    EXPECT_EQ(d.data(), expected);

    Dib rle4 = rle;  // two alternating indices per run byte, high nibble first
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.height = 1;
    rle4.pixels = {3, 0x12, 0, 1};
    Decoded d4;
    decode(rle4.build(), d4);
    ASSERT_NE(d4.image, nullptr) << d4.error;
    expected.clear();
    for (const Bytes* p : {&g, &b, &g, &k}) expected.insert(expected.end(), p->begin(), p->end());
    EXPECT_EQ(d4.data(), expected);
}

// Each case breaks one thing in an otherwise valid file.
TEST(BmpReader, HostileFilesGiveTheirMessageAndNoPicture) {
    Dib rle;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.width = 2;
    rle.height = 2;
    rle.pixels = {2, 0, 0, 0, 2, 0, 0, 1};
    struct Case {
        const char* name;
        std::function<Bytes()> make;
        const char* text;  // null: the file must decode
    };
    const Case cases[] = {
        {"empty file", [] { return Bytes(); }, CONVERSION},
        {"file header cut", [] { return Bytes{'B', 'M', 0, 0, 0}; }, CONVERSION},
        {"info header cut", [] { Bytes b = Dib().build(); b.resize(30); return b; }, CONVERSION},
        {"v4 header cut", [] { Dib d; d.headerSize = 108; Bytes b = d.build(); b.resize(20); return b; }, UNKNOWN},
        {"v5 header", [] { Dib d; d.headerSize = 124; return d.build(); }, UNKNOWN},
        {"header size 64", [] { Dib d; d.headerSize = 64; return d.build(); }, UNKNOWN},
        {"palette cut", [] { Dib d; d.fileHeader = false; d.bitCount = 8; d.table.assign(1000, 7); return d.build(); }, CONVERSION},
        {"bitfield masks cut", [] { Dib d; d.bitCount = 16; d.compression = 3; Bytes b = d.build(); b.resize(60); return b; }, CONVERSION},
        {"pixels one byte short", [] { Dib d; d.pixels.assign(13, 1); return d.build(); }, CONVERSION},
        {"last row without padding", [] { Dib d; d.pixels.assign(14, 1); return d.build(); }, nullptr},
        {"offset past the end", [] { Dib d; d.pixels.assign(16, 1); d.offsetShift = 100; return d.build(); }, CONVERSION},
        {"offset inside the header", [] { Dib d; d.pixels.assign(16, 1); d.offsetShift = -20; return d.build(); }, CONVERSION},
        {"width 100000", [] { Dib d; d.width = 100000; return d.build(); }, MEMORY},
        {"height -100000", [] { Dib d; d.height = -100000; return d.build(); }, MEMORY},
        {"height INT_MIN", [] { Dib d; d.height = INT32_MIN; return d.build(); }, MEMORY},
        {"core header 65535 wide", [] { Dib d; d.headerSize = 12; d.width = 65535; return d.build(); }, MEMORY},
        {"RLE 16385 high, tiny data", [] { Dib d; d.bitCount = 8; d.compression = 1; d.height = 16385; d.pixels = {0, 1}; return d.build(); }, MEMORY},
        {"16384 wide, one row", [] { Dib d; d.width = 16384; d.height = 1; d.pixels.assign(16384 * 3, 9); return d.build(); }, nullptr},
        {"width 0", [] { Dib d; d.width = 0; return d.build(); }, CONVERSION},
        {"height 0", [] { Dib d; d.height = 0; return d.build(); }, CONVERSION},
        {"negative width", [] { Dib d; d.width = -2; d.pixels.assign(16, 1); return d.build(); }, CONVERSION},
        {"2 bits per pixel", [] { Dib d; d.bitCount = 2; d.pixels.assign(8, 1); return d.build(); }, CONVERSION},
        {"64 bits per pixel", [] { Dib d; d.bitCount = 64; d.pixels.assign(32, 1); return d.build(); }, CONVERSION},
        {"planes 2", [] { Dib d; d.planes = 2; d.pixels.assign(16, 1); return d.build(); }, CONVERSION},
        {"JPEG compression", [] { Dib d; d.compression = 4; d.pixels.assign(16, 1); return d.build(); }, CONVERSION},
        {"RLE8 at 4 bits", [rle] { Dib d = rle; d.bitCount = 4; return d.build(); }, CONVERSION},
        {"bit fields at 24 bits", [] { Dib d; d.compression = 3; d.masks = {0xFF, 0xFF00, 0xFF0000}; d.pixels.assign(16, 1); return d.build(); }, CONVERSION},
        {"RLE top-down", [rle] { Dib d = rle; d.height = -2; return d.build(); }, CONVERSION},
        {"RLE valid", [rle] { return rle.build(); }, nullptr},
        {"RLE without end marker, rows complete", [rle] { Dib d = rle; d.pixels = {2, 0, 0, 0, 2, 0, 0, 0}; return d.build(); }, nullptr},
        {"RLE ends with rows missing", [rle] { Dib d = rle; d.pixels = {2, 0, 0, 0}; return d.build(); }, CONVERSION},
        {"RLE absolute run cut", [rle] { Dib d = rle; d.pixels = {0, 5, 1, 1}; return d.build(); }, CONVERSION},
        {"RLE delta cut", [rle] { Dib d = rle; d.pixels = {0, 2, 1}; return d.build(); }, CONVERSION},
    };
    for (const Case& c : cases) {
        Decoded d;
        decode(c.make(), d);
        if (c.text == nullptr) {
            EXPECT_NE(d.image, nullptr) << c.name << ": " << d.error;
            EXPECT_EQ(d.error, "") << c.name;
        } else {
            EXPECT_EQ(d.image, nullptr) << c.name;
            EXPECT_EQ(d.error, c.text) << c.name;
        }
    }
}

TEST(BmpFiles, MissingFilesAndFailuresShowTheirBoxes) {
    scripted::reset();
    EXPECT_EQ(loadBmp(nullptr), nullptr);
    EXPECT_EQ(loadBmp("no/such/file.bmp"), nullptr);
    EXPECT_TRUE(scripted::boxes().empty()) << "a missing BMP is not worth a message";

    EXPECT_EQ(loadDibImage("no/such/file.bmp"), nullptr);
    ScratchDir scratch;
    EXPECT_EQ(loadDibImage(scratch.path.c_str()), nullptr);  // a folder opens but does not read
    Dib v4;
    v4.headerSize = 108;
    writeBytes(scratch.path / "v4.bmp", v4.build());
    EXPECT_EQ(loadBmp((scratch.path / "v4.bmp").c_str()), nullptr);
    writeBytes(scratch.path / "empty.bmp", {});
    EXPECT_EQ(loadBmp((scratch.path / "empty.bmp").c_str()), nullptr);

    const auto& boxes = scripted::boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "Failed to open DIB file no/such/file.bmp.\n");
    EXPECT_EQ(boxes[1].text, "Failed to open DIB file " + scratch.path.string() + ".\n");
    EXPECT_EQ(boxes[2].text, UNKNOWN);
    EXPECT_EQ(boxes[3].text, CONVERSION);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.flags, MB_OK);
    }

    scripted::reset();
    Dib good;
    good.pixels.assign(16, 77);
    writeBytes(scratch.path / "good.bmp", good.build());
    RgbImage* image = loadBmp((scratch.path / "good.bmp").c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->data[0], 77);
    freeRgbImage(image);
    EXPECT_TRUE(scripted::boxes().empty());
}

// ---- The BMP suite -------------------------------------------------------------------

fs::path suiteDir() { return testdataDir() / "bmpsuite"; }

#define REQUIRE_SUITE()                                                                            \
    if (!fs::is_directory(suiteDir()))                                                             \
    GTEST_SKIP() << "BMP suite not found at " << suiteDir() << " (set FENDWALL_TESTDATA to the "   \
                 << "shared testdata folder)"

u32 headerSizeOf(const Bytes& file) {
    if (file.size() < 18 || file[0] != 'B' || file[1] != 'M') return 0;
    return u32(file[14]) | (u32(file[15]) << 8) | (u32(file[16]) << 16) | (u32(file[17]) << 24);
}

// How the suite's own page says each file should look (html/bmpsuite.html). Where
// skipped RLE pixels are undefined we match the black rendering ("-b").
const std::map<std::string, std::string> SUITE_REFERENCES = {
    {"g/pal1.bmp", "pal1"}, {"g/pal1wb.bmp", "pal1"}, {"g/pal1bg.bmp", "pal1bg"},
    {"g/pal4.bmp", "pal4"}, {"g/pal4gs.bmp", "pal4gs"}, {"g/pal4rle.bmp", "pal4"},
    {"g/pal8.bmp", "pal8"}, {"g/pal8-0.bmp", "pal8"}, {"g/pal8gs.bmp", "pal8gs"},
    {"g/pal8rle.bmp", "pal8"}, {"g/pal8w124.bmp", "pal8w124"}, {"g/pal8w125.bmp", "pal8w125"},
    {"g/pal8w126.bmp", "pal8w126"}, {"g/pal8topdown.bmp", "pal8"}, {"g/pal8nonsquare.bmp", "pal8nonsquare-e"},
    {"g/pal8os2.bmp", "pal8"}, {"g/rgb16.bmp", "rgb16"}, {"g/rgb16bfdef.bmp", "rgb16"},
    {"g/rgb16-565.bmp", "rgb16-565"}, {"g/rgb16-565pal.bmp", "rgb16-565"}, {"g/rgb24.bmp", "rgb24"},
    {"g/rgb24pal.bmp", "rgb24"}, {"g/rgb32.bmp", "rgb24"}, {"g/rgb32bfdef.bmp", "rgb24"},
    {"g/rgb32bf.bmp", "rgb24"},
    // Questionable files that we read, and how.
    {"q/pal1p1.bmp", "pal1p1"}, {"q/pal4rletrns.bmp", "pal4rletrns-b"}, {"q/pal4rlecut.bmp", "pal4rlecut-b"},
    {"q/pal8rletrns.bmp", "pal8rletrns-b"}, {"q/pal8rlecut.bmp", "pal8rlecut-b"}, {"q/pal8offs.bmp", "pal8"},
    {"q/pal8oversizepal.bmp", "pal8"}, {"q/pal8os2-sz.bmp", "pal8"}, {"q/pal8os2-hs.bmp", "pal8"},
    {"q/pal8os2sp.bmp", "pal8"}, {"q/pal8os2v2-40sz.bmp", "pal8"}, {"q/rgb16faketrns.bmp", "rgb16"},
    {"q/rgb16-231.bmp", "rgb16-231"}, {"q/rgb16-3103.bmp", "rgb16-3103"}, {"q/rgb24largepal.bmp", "rgb24"},
    {"q/rgb32fakealpha.bmp", "rgb24"}, {"q/rgb32-111110.bmp", "rgb24"}, {"q/rgb32-7187.bmp", "rgb32-7187"},
    // A bad file with a rendering: a channel without bits is black.
    {"b/rgb16-880.bmp", "rgb16-880"},
};

TEST(BmpSuite, GoodFilesMatchTheReferenceRenderings) {
    REQUIRE_SUITE();
    ScratchDir scratch;
    int compared = 0;
    for (const auto& dir : {"g", "q", "b"}) {
        for (const auto& entry : fs::directory_iterator(suiteDir() / dir)) {
            const std::string name = std::string(dir) + "/" + entry.path().filename().string();
            const auto reference = SUITE_REFERENCES.find(name);
            if (dir == std::string("b") && reference == SUITE_REFERENCES.end()) continue;
            const Bytes file = readBytes(entry.path());
            const u32 header = headerSizeOf(file);
            Decoded d;
            decode(file, d);
            if (header != 12 && header != 40) {
                EXPECT_EQ(d.error, UNKNOWN) << name;
                continue;
            }
            if (reference == SUITE_REFERENCES.end()) {
                // Only questionable formats we refuse may lack a reference: 2 bits, 64 bits,
                // alpha bit fields.
                EXPECT_EQ(dir, std::string("q")) << name << " has no reference";
                EXPECT_EQ(d.error, CONVERSION) << name;
                continue;
            }
            ASSERT_NE(d.image, nullptr) << name << ": " << d.error;
            const Picture ref = readPicture(suiteDir() / "html" / (reference->second + ".png"), 3, scratch.path);
            ASSERT_FALSE(ref.pixels.empty()) << "cannot read the reference of " << name;
            EXPECT_EQ(d.image->width, ref.width) << name;
            EXPECT_EQ(d.image->height, ref.height) << name;
            std::string first;
            const Bytes upright = flipRows(d.image->data, d.image->width, d.image->height, 3);
            // Channels wider than 8 bits: the suite's renderings round them in their own way.
            const int tolerance = (name == "q/rgb32-7187.bmp" || name == "q/rgb32-111110.bmp") ? 1 : 0;
            EXPECT_EQ(countDifferences(upright, ref.pixels, tolerance, &first), 0u) << name << ": " << first;
            compared++;
        }
    }
    EXPECT_EQ(compared, int(SUITE_REFERENCES.size())) << "a file of the reference table is missing";
}

TEST(BmpSuite, EveryFileDecodesOrFailsWithOneOfTheMessages) {
    REQUIRE_SUITE();
    const std::map<std::string, const char*> expected = {
        {"badbitcount.bmp", CONVERSION}, {"badheadersize.bmp", UNKNOWN}, {"badplanes.bmp", CONVERSION},
        {"badwidth.bmp", CONVERSION},    {"reallybig.bmp", MEMORY},      {"rletopdown.bmp", CONVERSION},
        {"shortfile.bmp", CONVERSION},   {"ba-bm.bmp", UNKNOWN},
    };
    for (const auto& dir : {"b", "x", "q", "g"}) {
        for (const auto& entry : fs::directory_iterator(suiteDir() / dir)) {
            if (entry.path().extension() != ".bmp") continue;
            const std::string name = entry.path().filename().string();
            scripted::reset();
            RgbImage* image = loadBmp(entry.path().c_str());
            const auto& boxes = scripted::boxes();
            if (image != nullptr) {
                EXPECT_TRUE(boxes.empty()) << name;
                EXPECT_GT(image->width, 0) << name;
                EXPECT_GT(image->height, 0) << name;
            } else {
                ASSERT_EQ(boxes.size(), 1u) << name;
                const std::string& text = boxes[0].text;
                EXPECT_TRUE(text == CONVERSION || text == UNKNOWN || text == MEMORY) << name << ": " << text;
            }
            const auto want = expected.find(name);
            if (want != expected.end()) {
                EXPECT_EQ(image, nullptr) << name;
                if (!boxes.empty()) {
                    EXPECT_EQ(boxes[0].text, want->second) << name;
                }
            }
            freeRgbImage(image);
        }
    }
}

// ---- Files written by ImageMagick ----------------------------------------------------

TEST(BmpImageMagick, EveryVariantMatchesItsSourcePicture) {
    ScratchDir scratch;
    const fs::path source = scratch.path / "source.png";
    // Smooth colours plus hard edges, 37 x 21 so that no row is a multiple of 4 bytes.
    ASSERT_TRUE(convert("-size 37x21 gradient:red-blue \\( -size 37x21 gradient:yellow-black -rotate 90 -resize 37x21! \\) "
                        "-compose multiply -composite -fill lime -draw 'rectangle 3,2 9,8' PNG24:" +
                        quoted(source)))
        << "ImageMagick's convert is needed (Debian package imagemagick)";
    // ImageMagick writes no 16- or 32-bit BMP3 that is well formed (its RGB555/RGB565
    // subtypes leave out the masks) and writes RLE8 where RLE4 would do: the BMP suite
    // covers those.
    struct Variant {
        const char* name;
        const char* reduce;  // makes the picture the file can hold exactly
        const char* write;
    };
    const Variant variants[] = {
        {"BMP3 24-bit", "", "-type truecolor BMP3:"},
        {"BMP2 24-bit", "", "-type truecolor BMP2:"},
        {"BMP3 8-bit palette", "-colors 200", "-type palette BMP3:"},
        {"BMP3 8-bit RLE", "-colors 200", "-type palette -compress RLE BMP3:"},
        {"BMP2 8-bit palette", "-colors 200", "-type palette BMP2:"},
        {"BMP3 4-bit palette", "-colors 12", "-type palette BMP3:"},
        {"BMP2 4-bit palette", "-colors 12", "-type palette BMP2:"},
        {"BMP3 1-bit", "-monochrome", "-type palette BMP3:"},
        {"BMP2 1-bit", "-monochrome", "-type palette BMP2:"},
    };
    for (const Variant& v : variants) {
        const fs::path reduced = scratch.path / "reduced.png";
        const fs::path bmp = scratch.path / "variant.bmp";
        ASSERT_TRUE(convert(quoted(source) + " " + v.reduce + " PNG24:" + quoted(reduced))) << v.name;
        ASSERT_TRUE(convert(quoted(reduced) + " " + v.write + quoted(bmp))) << v.name;
        const Picture expected = readPicture(reduced, 3, scratch.path);
        ASSERT_FALSE(expected.pixels.empty()) << v.name;
        Decoded d;
        decode(readBytes(bmp), d);
        ASSERT_NE(d.image, nullptr) << v.name << ": " << d.error;
        ASSERT_EQ(d.image->width, 37) << v.name;
        ASSERT_EQ(d.image->height, 21) << v.name;
        std::string first;
        const Bytes upright = flipRows(d.image->data, 37, 21, 3);
        EXPECT_EQ(countDifferences(upright, expected.pixels, 0, &first), 0u) << v.name << ": " << first;
    }
}

}  // namespace
