// bmp_reader_test.cpp: the BMP suite's renderings, and claims a file cannot back.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "platform/scripted/platform_scripted.h"
#include "media/bmp.h"
#include "tests/unit/picture_files.h"

namespace {

using namespace pictures;

void put(Bytes& b, u32 v, int bytes) {
    for (int i = 0; i < bytes; i++) b.push_back(u8(v >> (8 * i)));
}

// File header, info header, colour table, pixels; as it stands, a valid 2 x 2 24-bit picture.
struct Dib {
    u32 headerSize = 40;
    i32 width = 2, height = 2;
    u32 bitCount = 24, compression = 0, coloursUsed = 0;
    Bytes table, pixels;
    i64 offsetShift = 0;  // added to the true pixel offset

    Bytes build() const {
        Bytes b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        put(b, headerSize, 4);
        const int side = headerSize == 12 ? 2 : 4;
        put(b, u32(width), side);
        put(b, u32(height), side);
        put(b, 1, 2);
        put(b, bitCount, 2);
        if (headerSize != 12) {
            for (u32 v : {compression, 0u, 0u, 0u, coloursUsed, 0u}) put(b, v, 4);
        }
        b.insert(b.end(), table.begin(), table.end());
        const u32 offset = u32(i64(b.size()) + offsetShift), size = u32(b.size() + pixels.size());
        std::memcpy(&b[10], &offset, 4);
        std::memcpy(&b[2], &size, 4);
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

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

TEST(BmpReader, ClaimsTheFileCannotBackAreRefused) {
    auto with = [](auto change) {
        Dib d;
        d.pixels.assign(16, 1);
        change(d);
        return d.build();
    };
    const struct Case {
        const char* name;
        Bytes file;
        std::string text;
    } cases[] = {
        {"pixels one byte short", with([](Dib& d) { d.pixels.resize(13); }), CONVERSION},
        {"offset past the end", with([](Dib& d) { d.offsetShift = 100; }), CONVERSION},
        {"offset inside the header", with([](Dib& d) { d.offsetShift = -20; }), CONVERSION},
        {"width 100000", with([](Dib& d) { d.width = 100000; }), MEMORY},
        {"height INT_MIN", with([](Dib& d) { d.height = INT32_MIN; }), MEMORY},
        {"core header 65535 wide", with([](Dib& d) { d.headerSize = 12; d.width = 65535; }), MEMORY},
        {"RLE8 16385 high, tiny data", with([](Dib& d) {
             d.bitCount = 8; d.compression = 1; d.height = 16385; d.coloursUsed = 1; d.table = {0, 0, 255, 0}; d.pixels = {0, 1};
         }), MEMORY},
    };
    for (const Case& c : cases) EXPECT_EQ(decode(c.file), std::make_pair(Bytes(), c.text)) << c.name;
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
    const fs::path suite = testdataDir() / "bmpsuite";
    if (!fs::is_directory(suite)) GTEST_SKIP() << "BMP suite not found at " << suite << " (set FENDWALL_TESTDATA)";
    ScratchDir scratch;
    size_t compared = 0, failures = 0;
    for (const auto& dir : {"b", "x", "q", "g"}) {
        for (const auto& entry : fs::directory_iterator(suite / dir)) {
            if (entry.path().extension() != ".bmp") continue;
            const std::string name = std::string(dir) + "/" + entry.path().filename().string();
            const Bytes file = readBytes(entry.path());
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
                const Picture ref = readPicture(suite / "html" / (reference->second + ".png"), 3, scratch.path);
                std::string first;  // sizes differ too when the reference is unreadable (ImageMagick needed)
                // Channels wider than 8 bits: the renderings round them their own way.
                const int tolerance = (name == "q/rgb32-7187.bmp" || name == "q/rgb32-111110.bmp") ? 1 : 0;
                const Bytes upright = flipRows(image->data, image->width, image->height, 3);
                EXPECT_EQ(countDifferences(upright, ref.pixels, tolerance, &first), 0u) << name << ": " << first;
                compared++;
            }
            freeRgbImage(image);
        }
    }
    EXPECT_EQ(compared, SUITE_REFERENCES.size()) << "a file of the reference table is missing";
    EXPECT_EQ(failures, SUITE_FAILURES.size());
}

}  // namespace
