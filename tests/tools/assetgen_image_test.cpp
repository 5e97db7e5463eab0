// Tests of the asset generator's picture code: the file encoders, compositing, lettering
// on stretched textures, and the orientation of the pictures the game reads.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen.h"
#include "image_canvas.h"
#include "image_files.h"
#include "image_text.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t be32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

Image8 image(int w, int h, const std::vector<std::uint32_t>& rgbaTopFirst) {
    Image8 img;
    img.width = w;
    img.height = h;
    for (std::uint32_t p : rgbaTopFirst) {
        img.rgba.push_back(static_cast<std::uint8_t>(p >> 24));
        img.rgba.push_back(static_cast<std::uint8_t>(p >> 16));
        img.rgba.push_back(static_cast<std::uint8_t>(p >> 8));
        img.rgba.push_back(static_cast<std::uint8_t>(p));
    }
    return img;
}

Bytes readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

TEST(ImageFiles, BmpHasWindowsHeadersPaddedRowsBottomFirst) {
    // 5 pixels: 15 bytes per row, padded to 16.
    const Image8 img = image(5, 2,
                             {0x102030ff, 0, 0, 0, 0x405060ff,    // top row
                              0xa0b0c0ff, 0, 0, 0, 0x11223344});  // bottom row
    const Bytes b = encodeBmp24(img);
    ASSERT_EQ(b.size(), 54u + 2 * 16);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), 5u);
    EXPECT_EQ(le32(b, 22), 2u);  // positive height: bottom row first
    EXPECT_EQ(b[28], 24);
    EXPECT_EQ(le32(b, 30), 0u);
    // First stored row is the picture's bottom row, in blue-green-red order.
    EXPECT_EQ(b[54], 0xc0);
    EXPECT_EQ(b[55], 0xb0);
    EXPECT_EQ(b[56], 0xa0);
    EXPECT_EQ(b[54 + 12], 0x33);  // last pixel of the row, alpha dropped
    EXPECT_EQ(b[54 + 15], 0);     // padding
    EXPECT_EQ(b[70], 0x30);       // second stored row: the top row
    EXPECT_EQ(b[72], 0x10);
}

TEST(ImageFiles, TgaHasTheTemplateHeaderAndBottomRowFirst) {
    const Image8 img = image(2, 2, {0x01020304, 0x05060708, 0x11121314, 0x15161718});
    const Bytes b32 = encodeTga(img, 32);
    const Bytes header = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 8};
    ASSERT_EQ(b32.size(), 18u + 2 * 2 * 4);
    EXPECT_EQ(Bytes(b32.begin(), b32.begin() + 18), header);
    // Bottom-left pixel first, blue-green-red-alpha.
    EXPECT_EQ(Bytes(b32.begin() + 18, b32.begin() + 22), (Bytes{0x13, 0x12, 0x11, 0x14}));
    EXPECT_EQ(Bytes(b32.begin() + 26, b32.begin() + 30), (Bytes{0x03, 0x02, 0x01, 0x04}));

    const Bytes b24 = encodeTga(img, 24);
    ASSERT_EQ(b24.size(), 18u + 2 * 2 * 3);
    EXPECT_EQ(b24[16], 24);
    EXPECT_EQ(b24[17], 0);
    EXPECT_EQ(Bytes(b24.begin() + 21, b24.begin() + 24), (Bytes{0x17, 0x16, 0x15}));
}

TEST(ImageFiles, PngChunksCheckOutAndDecodeToTheSamePixels) {
    const Image8 img =
        image(3, 2, {0xff000080, 0x00ff00ff, 0x0000ff00, 0x12345678, 0xfedcba98, 0x00000000});
    const Bytes b = encodePng(img);
    ASSERT_GT(b.size(), 8u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
    Bytes idat;
    std::vector<std::string> types;
    for (std::size_t at = 8; at + 12 <= b.size();) {
        const std::uint32_t len = be32(b, at);
        ASSERT_LE(at + 12 + len, b.size());
        const std::string type(b.begin() + at + 4, b.begin() + at + 8);
        types.push_back(type);
        const uLong crc = crc32(0L, b.data() + at + 4, len + 4);
        EXPECT_EQ(be32(b, at + 8 + len), crc) << type;
        if (type == "IHDR") {
            EXPECT_EQ(be32(b, at + 8), 3u);
            EXPECT_EQ(be32(b, at + 12), 2u);
            EXPECT_EQ(b[at + 16], 8);  // bit depth
            EXPECT_EQ(b[at + 17], 6);  // RGBA
        }
        if (type == "IDAT") idat.insert(idat.end(), b.begin() + at + 8, b.begin() + at + 8 + len);
        at += 12 + len;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    uLongf rawSize = 2 * (1 + 3 * 4);
    Bytes raw(rawSize);
    ASSERT_EQ(uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    Bytes pixels;
    for (int y = 0; y < 2; ++y) {
        const std::uint8_t* row = &raw[y * 13];
        ASSERT_LE(row[0], 1) << "only the None and Sub filters are expected";
        for (int i = 0; i < 12; ++i) {
            const std::uint8_t left = (row[0] == 1 && i >= 4) ? pixels[pixels.size() - 4] : 0;
            pixels.push_back(static_cast<std::uint8_t>(row[1 + i] + left));
        }
    }
    EXPECT_EQ(pixels, img.rgba);
}

TEST(Canvas, CompositingAndAveragingKeepColourSeparateFromCoverage) {
    Canvas c(4, 4, Rgba{0, 0, 0, 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x) c.over(x, y, Rgba{1, 0, 0, 1});
    // Half red, half transparent: averaged down, the colour stays red and only the
    // coverage halves, so edges of alpha pictures do not turn dark.
    const Canvas one = downsample(c, 4);
    ASSERT_EQ(one.width, 1);
    EXPECT_FLOAT_EQ(one.at(0, 0).r, 1.0f);
    EXPECT_FLOAT_EQ(one.at(0, 0).g, 0.0f);
    EXPECT_FLOAT_EQ(one.at(0, 0).a, 0.5f);
    const Canvas two = downsample(c, 2);
    EXPECT_FLOAT_EQ(two.at(0, 1).a, 1.0f);
    EXPECT_FLOAT_EQ(two.at(1, 1).a, 0.0f);

    Canvas d(1, 2, Rgba{0, 0, 0, 1});
    d.at(0, 1) = Rgba{};
    d.over(0, 0, Rgba{1, 1, 1, 1}, 0.5f);  // half white over opaque black: grey
    d.over(0, 1, Rgba{1, 1, 1, 0.5f});     // half white over nothing: white, half covering
    EXPECT_NEAR(d.at(0, 0).r, 0.5f, 1e-6);
    EXPECT_NEAR(d.at(0, 0).a, 1.0f, 1e-6);
    EXPECT_NEAR(d.at(0, 1).r, 1.0f, 1e-6);
    EXPECT_NEAR(d.at(0, 1).a, 0.5f, 1e-6);
}

// Ink box of a painted canvas in design units: left, top, right, bottom.
std::vector<float> inkBox(Painter& p) {
    const Canvas& c = p.canvas();
    int l = c.width, t = c.height, r = -1, b = -1;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (c.at(x, y).a > 0.5f) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x + 1);
                b = std::max(b, y + 1);
            }
    return {l / p.unitX(), t / p.unitY(), r / p.unitX(), b / p.unitY()};
}

TEST(Text, LetteringIsCentredAndUndistortedOnAStretchedTexture) {
    FontFace font;
    ASSERT_TRUE(font.open("Liberation Sans", "Bold"));
    TextStyle style;
    style.colour = Rgba{1, 1, 1, 1};
    // The exit button: a 256 x 128 texture over 150 x 52 screen pixels, squeezed
    // vertically; against a texture with the button's own aspect ratio.
    Painter squeezed(256, 128, 150.0f, 52.0f, 2, Rgba{});
    Painter square(150, 52, 150.0f, 52.0f, 2, Rgba{});
    for (Painter* p : {&squeezed, &square})
        paintText(*p, font, "HEH", 75.0f, 26.0f, 16.0f, 0.0f, 1.0f, style);
    const std::vector<float> a = inkBox(squeezed);
    const std::vector<float> b = inkBox(square);
    EXPECT_NEAR(a[3] - a[1], 16.0f, 0.6f) << "capital height on screen";
    EXPECT_NEAR((a[0] + a[2]) / 2, 75.0f, 0.6f);
    EXPECT_NEAR((a[1] + a[3]) / 2, 26.0f, 0.6f);
    EXPECT_NEAR(a[2] - a[0], b[2] - b[0], 0.02f * (b[2] - b[0])) << "width on screen";
    EXPECT_NEAR(a[3] - a[1], b[3] - b[1], 0.5f);
    // Tracking adds its width between letters, twice for three letters.
    Painter tracked(256, 128, 150.0f, 52.0f, 2, Rgba{});
    const float plain = textWidth(tracked, font, "HEH", 16.0f, 0.0f, 1.0f);
    EXPECT_NEAR(textWidth(tracked, font, "HEH", 16.0f, 5.0f, 1.0f) - plain, 10.0f, 0.3f);
}

// A picture file read back, row 0 = the first row in the file (the bottom row).
struct StoredPicture {
    int width = 0;
    int height = 0;
    int channels = 0;
    Bytes data;  // BGR or BGRA
    const std::uint8_t* at(int x, int fileRow) const {
        return &data[(static_cast<std::size_t>(fileRow) * width + x) * channels];
    }
};

StoredPicture readBmp(const std::string& path) {
    const Bytes b = readFile(path);
    StoredPicture p;
    p.width = static_cast<int>(le32(b, 18));
    p.height = static_cast<int>(le32(b, 22));
    p.channels = 3;
    p.data.assign(b.begin() + le32(b, 10), b.end());  // power-of-two widths: no padding
    return p;
}

StoredPicture readTga(const std::string& path) {
    const Bytes b = readFile(path);
    StoredPicture p;
    p.width = b[12] | b[13] << 8;
    p.height = b[14] | b[15] << 8;
    p.channels = b[16] / 8;
    p.data.assign(b.begin() + 18, b.end());
    return p;
}

class GeneratedPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = (std::filesystem::temp_directory_path() / "fendwall-assetgen-test").string();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ + "/texturen");
        ok_ = generatePictures(dir_);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }
    static std::string file(const char* name) { return dir_ + "/texturen/" + name; }
    static inline std::string dir_;
    static inline bool ok_ = false;
};

bool brightYellow(const std::uint8_t* bgr) {
    return bgr[2] > 200 && bgr[1] > 170 && bgr[0] < 200;
}

TEST_F(GeneratedPictures, CursorArrowsPointTheirWay) {
    ASSERT_TRUE(ok_);
    // Count arrow pixels along the middle row and column, inside the frame.
    auto spans = [](const StoredPicture& p, int& alongX, int& alongY) {
        alongX = alongY = 0;
        for (int i = 10; i < p.width - 10; ++i) {
            alongX += brightYellow(p.at(i, p.height / 2));
            alongY += brightYellow(p.at(p.width / 2, i));
        }
    };
    int hx, hy, vx, vy;
    spans(readBmp(file("hori.bmp")), hx, hy);
    spans(readBmp(file("vert.bmp")), vx, vy);
    EXPECT_GT(hx, 2 * hy);
    EXPECT_GT(vy, 2 * vx);
    EXPECT_GT(hx, 30);
    EXPECT_GT(vy, 30);
}

TEST_F(GeneratedPictures, PicturesAreStoredUprightForTheGame) {
    ASSERT_TRUE(ok_);
    // Wall sides: t = 1 (the last stored rows) is the lit top of the block.
    const StoredPicture wall = readBmp(file("wand_blau_gruen.bmp"));
    auto rowBrightness = [](const StoredPicture& p, int fileRow) {
        int sum = 0;
        for (int x = 0; x < p.width; ++x)
            sum += p.at(x, fileRow)[0] + p.at(x, fileRow)[1] + p.at(x, fileRow)[2];
        return sum;
    };
    EXPECT_GT(rowBrightness(wall, wall.height - 2), rowBrightness(wall, 1) * 2);
    EXPECT_GT(rowBrightness(wall, wall.height * 3 / 4), rowBrightness(wall, wall.height / 4));

    // Logo: the first letter, F, has its bar at the top and the last, L, its foot at the
    // bottom; in the right half of each letter only the bar or the foot has ink. The
    // top of the picture is stored last.
    const StoredPicture logo = readTga(file("logo.tga"));
    ASSERT_EQ(logo.channels, 4);
    std::vector<int> column(logo.width, 0);
    for (int x = 0; x < logo.width; ++x)
        for (int y = 0; y < logo.height; ++y) column[x] += logo.at(x, y)[3] > 96;
    auto inkInRows = [&](int from, int to, int rowFrom, int rowTo) {
        int sum = 0;
        for (int x = from; x < to; ++x)
            for (int y = rowFrom; y < rowTo; ++y) sum += logo.at(x, y)[3];
        return sum;
    };
    int f0 = 0;
    while (f0 < logo.width && column[f0] == 0) ++f0;
    int f1 = f0;
    while (f1 < logo.width && column[f1] != 0) ++f1;
    int l1 = logo.width;
    while (l1 > 0 && column[l1 - 1] == 0) --l1;
    int l0 = l1;
    while (l0 > 0 && column[l0 - 1] != 0) --l0;
    ASSERT_LT(f1, l0) << "letters not separated";
    const int h = logo.height;
    const int fMid = (f0 + f1) / 2, lMid = (l0 + l1) / 2;
    EXPECT_GT(inkInRows(fMid, f1, h - 5, h), 4 * inkInRows(fMid, f1, 0, 5) + 255)
        << "F upside down";
    EXPECT_GT(inkInRows(lMid, l1, 0, 5), 4 * inkInRows(lMid, l1, h - 5, h) + 255)
        << "L upside down";
}

TEST_F(GeneratedPictures, LogoFillsItsBandOnATransparentGround) {
    ASSERT_TRUE(ok_);
    const StoredPicture logo = readTga(file("logo.tga"));
    int first = logo.width, last = -1, edgeAlpha = 0, opaque = 0;
    for (int y = 0; y < logo.height; ++y) {
        for (int x = 0; x < logo.width; ++x) {
            const std::uint8_t* p = logo.at(x, y);
            if (p[3] > 128) {
                first = std::min(first, x);
                last = std::max(last, x);
                ++opaque;
                EXPECT_GT(p[0] + p[1] + p[2], 3 * 180) << "letters are bright";
            }
            if (y == 0 || y == logo.height - 1) edgeAlpha = std::max<int>(edgeAlpha, p[3]);
        }
    }
    EXPECT_LT(first, logo.width / 20);
    EXPECT_GT(last, logo.width * 19 / 20);
    EXPECT_LT(edgeAlpha, 64) << "letters stay inside the band";
    EXPECT_GT(opaque, logo.width * logo.height / 6);
    EXPECT_LT(opaque, logo.width * logo.height / 2);
}

}  // namespace
