// readers_test.cpp: the BMP suite's renderings, claims a file cannot back, the one TGA layout we read, the window icon.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "media/bmp.h"
#include "media/file_bytes.h"
#include "media/textures.h"
#include "platform/scripted/platform_scripted.h"
#include "support/globals.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<u8>;

// A 2 x 2 24-bit picture after a file and an info header: two rows of 6 bytes, padded to 8.
Bytes picture(i32 width, i32 height, size_t pixelBytes = 16, u32 offset = 54) {
    Bytes b(54, 0);
    b.resize(54 + pixelBytes, 1);
    auto put = [&b](size_t at, u32 v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B', b[1] = 'M';
    put(10, offset), put(14, 40), put(18, u32(width)), put(22, u32(height)), put(26, 1 | 24 << 16);
    return b;
}

const std::string CONVERSION = "Image file conversion error.";
const std::string UNKNOWN = "Unknown DIB file format.";
const std::string MEMORY = "Out of memory.";

// The picture's bytes (empty when refused) and the message.
std::pair<Bytes, std::string> decode(const Bytes& file) {
    const char* error = nullptr;
    RgbImage* image = decodeDib(file.data(), file.size(), &error);
    Bytes data = image ? Bytes(image->data, image->data + size_t(image->width) * image->height * 3) : Bytes();
    freeRgbImage(image);
    return {data, error ? error : ""};
}

// A reference rendering as RGB bytes, top row first, through ImageMagick; empty if unreadable.
Bytes rendering(const fs::path& png, int width, int height, const fs::path& scratch) {
    const fs::path raw = scratch / "picture.rgb";
    const std::string command = "convert '" + png.string() + "' -depth 8 rgb:'" + raw.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(raw, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes.size() == size_t(width) * height * 3 ? bytes : Bytes();
}

TEST(BmpReader, ClaimsTheFileCannotBackAreRefused) {
    // Whole; the last row without its padding; one byte short; the pixels past the end or in
    // the header; sides too large to be worth a try.
    const std::pair<Bytes, std::string> cases[] = {
        {picture(2, 2), ""}, {picture(2, 2, 14), ""}, {picture(2, 2, 13), CONVERSION}, {picture(2, 2, 16, 154), CONVERSION},
        {picture(2, 2, 16, 34), CONVERSION}, {picture(100000, 2), MEMORY}, {picture(2, 16385), MEMORY}, {picture(2, INT32_MIN), MEMORY},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto [pixels, text] = decode(cases[i].first);
        EXPECT_TRUE(text == cases[i].second && pixels.size() == (text.empty() ? 12u : 0u)) << i << ": " << text;
    }
}

// The suite's renderings of the files we read; for undefined skipped RLE pixels the black one.
const std::map<std::string, std::string> SUITE_REFERENCES = {  // b/rgb16-880: a channel without bits is black
    {"g/pal1.bmp", "pal1"}, {"g/pal1wb.bmp", "pal1"}, {"g/pal1bg.bmp", "pal1bg"}, {"g/pal4.bmp", "pal4"},
    {"g/pal4gs.bmp", "pal4gs"}, {"g/pal4rle.bmp", "pal4"}, {"g/pal8.bmp", "pal8"}, {"g/pal8-0.bmp", "pal8"},
    {"g/pal8gs.bmp", "pal8gs"}, {"g/pal8rle.bmp", "pal8"}, {"g/pal8w124.bmp", "pal8w124"}, {"g/pal8w125.bmp", "pal8w125"},
    {"g/pal8w126.bmp", "pal8w126"}, {"g/pal8topdown.bmp", "pal8"}, {"g/pal8nonsquare.bmp", "pal8nonsquare-e"},
    {"g/pal8os2.bmp", "pal8"}, {"g/rgb16.bmp", "rgb16"}, {"g/rgb16bfdef.bmp", "rgb16"}, {"g/rgb16-565.bmp", "rgb16-565"},
    {"g/rgb16-565pal.bmp", "rgb16-565"}, {"g/rgb24.bmp", "rgb24"}, {"g/rgb24pal.bmp", "rgb24"}, {"g/rgb32.bmp", "rgb24"},
    {"g/rgb32bfdef.bmp", "rgb24"}, {"g/rgb32bf.bmp", "rgb24"}, {"q/pal1p1.bmp", "pal1p1"},
    {"q/pal4rletrns.bmp", "pal4rletrns-b"}, {"q/pal4rlecut.bmp", "pal4rlecut-b"}, {"q/pal8rletrns.bmp", "pal8rletrns-b"},
    {"q/pal8rlecut.bmp", "pal8rlecut-b"}, {"q/pal8offs.bmp", "pal8"}, {"q/pal8oversizepal.bmp", "pal8"},
    {"q/pal8os2-sz.bmp", "pal8"}, {"q/pal8os2-hs.bmp", "pal8"}, {"q/pal8os2sp.bmp", "pal8"},
    {"q/pal8os2v2-40sz.bmp", "pal8"}, {"q/rgb16faketrns.bmp", "rgb16"}, {"q/rgb16-231.bmp", "rgb16-231"},
    {"q/rgb16-3103.bmp", "rgb16-3103"}, {"q/rgb24largepal.bmp", "rgb24"}, {"q/rgb32fakealpha.bmp", "rgb24"},
    {"q/rgb32-111110.bmp", "rgb24"}, {"q/rgb32-7187.bmp", "rgb32-7187"}, {"b/rgb16-880.bmp", "rgb16-880"},
};
const std::map<std::string, std::string> SUITE_FAILURES = {
    {"b/badbitcount.bmp", CONVERSION}, {"b/badheadersize.bmp", UNKNOWN}, {"b/badplanes.bmp", CONVERSION},
    {"b/badwidth.bmp", CONVERSION},    {"b/reallybig.bmp", MEMORY},      {"b/rletopdown.bmp", CONVERSION},
    {"b/shortfile.bmp", CONVERSION},   {"x/ba-bm.bmp", UNKNOWN},
};

// Every file through loadBmp: a picture and no box, or one box with one of the three messages.
TEST(BmpSuite, EveryFileDecodesAsRenderedOrFailsWithOneMessage) {
    const char* env = std::getenv("FENDWALL_TESTDATA");  // beside the repository, as CI clones it
    const fs::path suite = fs::path(env && *env ? env : "../shared/testdata") / "bmpsuite";
    if (!fs::is_directory(suite)) GTEST_SKIP() << "BMP suite not found at " << suite << " (set FENDWALL_TESTDATA)";
    ScratchDir scratch;
    size_t compared = 0, failures = 0;
    for (const auto& dir : {"b", "x", "q", "g"}) {
        for (const auto& entry : fs::directory_iterator(suite / dir)) {
            if (entry.path().extension() != ".bmp") continue;
            const std::string name = std::string(dir) + "/" + entry.path().filename().string();
            std::ifstream in(entry.path(), std::ios::binary);
            const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            const u32 header = file.size() >= 18 && file[0] == 'B' && file[1] == 'M' ? file[14] | (file[15] << 8) : 0;
            scripted::reset();
            RgbImage* image = loadBmp(entry.path().c_str());
            const auto& boxes = scripted::boxes();
            const std::string text = boxes.empty() ? "" : boxes[0].text;
            EXPECT_EQ(boxes.size(), image ? 0u : 1u) << name;
            EXPECT_TRUE(image || text == CONVERSION || text == UNKNOWN || text == MEMORY) << name << ": " << text;
            const auto failure = SUITE_FAILURES.find(name);
            const auto reference = SUITE_REFERENCES.find(name);
            if (failure != SUITE_FAILURES.end()) {
                EXPECT_EQ(text, failure->second) << name;
                failures++;
            } else if (reference == SUITE_REFERENCES.end() && dir == std::string("b")) {
                // Bad files without a rendering: one message or a picture, nothing more.
            } else if (header != 12 && header != 40) {
                EXPECT_EQ(text, UNKNOWN) << name;
            } else if (reference == SUITE_REFERENCES.end()) {
                // Only questionable layouts we refuse may lack a rendering: 2 or 64 bits, alpha fields.
                EXPECT_EQ(dir, std::string("q")) << name << " has no reference";
                EXPECT_EQ(text, CONVERSION) << name;
            } else {
                ASSERT_NE(image, nullptr) << name << ": " << text;
                const Bytes ref = rendering(suite / "html" / (reference->second + ".png"), image->width, image->height, scratch.path);
                ASSERT_EQ(ref.size(), size_t(image->width) * image->height * 3) << name << ": ImageMagick is needed";
                // Channels wider than 8 bits: the renderings round them their own way.
                const int tolerance = (name == "q/rgb32-7187.bmp" || name == "q/rgb32-111110.bmp") ? 1 : 0;
                size_t differences = 0;
                for (size_t i = 0; i < ref.size(); i++) {
                    const size_t row = i / (size_t(image->width) * 3), upright = (size_t(image->height) - 1 - row) * image->width * 3;
                    differences += std::abs(int(image->data[upright + i % (size_t(image->width) * 3)]) - int(ref[i])) > tolerance;
                }
                EXPECT_EQ(differences, 0u) << name;
                compared++;
            }
            freeRgbImage(image);
        }
    }
    EXPECT_EQ(compared, SUITE_REFERENCES.size()) << "a file of the reference table is missing";
    EXPECT_EQ(failures, SUITE_FAILURES.size());
}

Bytes tgaFile(u32 width, u32 height, u32 bitsPerPixel, const Bytes& pixels, u8 descriptor = 0) {
    Bytes b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (u8 v : {u8(width), u8(width >> 8), u8(height), u8(height >> 8), u8(bitsPerPixel), descriptor}) b.push_back(v);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// The pixels read, empty when refused.
Bytes read(const Bytes& bytes) {
    TgaTexture t{};
    if (!decodeTga(t, bytes.data(), bytes.size())) return t.data ? Bytes{0xBA, 0xD} : Bytes();
    return Bytes(t.data.get(), t.data.get() + size_t(t.width) * t.height * (t.bitsPerPixel / 8));
}

TEST(TgaReader, SwapsBlueAndRedKeepsRowsAndAlphaAndRefusesEverythingElse) {
    // The top-left bit does not reorder rows; a TGA 2.0 footer after the pixels is fine.
    Bytes file = tgaFile(3, 1, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0x20);
    file.insert(file.end(), 26, 'x');
    EXPECT_EQ(read(file), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
    EXPECT_EQ(read(tgaFile(2, 1, 32, {10, 20, 30, 40, 50, 60, 70, 80})), (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
    EXPECT_EQ(read(tgaFile(1, 258, 24, Bytes(258 * 3, 7))).size(), 258u * 3) << "a height over 255";
    Bytes colourMap = tgaFile(2, 2, 24, Bytes(12, 7));
    colourMap[6] = 24;
    const Bytes refused[] = {
        Bytes(colourMap.begin(), colourMap.begin() + 17), colourMap, tgaFile(0, 2, 24, Bytes(12, 7)),
        tgaFile(2, 2, 16, Bytes(12, 7)), tgaFile(2, 2, 24, Bytes(11, 7)), tgaFile(16385, 1, 24, Bytes(16385 * 3, 7)),
        tgaFile(16384, 16384, 32, Bytes(1024, 7)),
    };
    for (const Bytes& b : refused) EXPECT_TRUE(read(b).empty()) << "refused, and no pixels left: " << b.size() << " bytes";
    TgaTexture untouched{};
    EXPECT_FALSE(readTga(untouched, "no/such/file.tga") || readTga(untouched, nullptr) || readTga(untouched, "/tmp"));
    u8* bytes = nullptr;  // a file as large as a reader's limit is read, a byte more is not
    size_t size = 0;
    EXPECT_TRUE(readFileBytes("data/fend.dat", fs::file_size("data/fend.dat") - 1, &bytes, &size) == FileRead::TooLarge && !bytes);
    EXPECT_TRUE(readFileBytes("data/fend.dat", fs::file_size("data/fend.dat"), &bytes, &size) == FileRead::Ok && size > 0);
    std::free(bytes);
}

}  // namespace
