// assetgen_image_test.cpp: the generated pictures are stored the way up the game reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assetgen.h"

namespace {

// A picture file's pixels as stored, bottom row first (power-of-two widths: no padding).
struct Stored {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> data;  // BGR or BGRA
    int at(int x, int row, int channel) const { return data[(static_cast<size_t>(row) * width + x) * channels + channel]; }
};

Stored read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    const std::vector<unsigned char> b{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (path.ends_with(".bmp")) return {b[18] | b[19] << 8, b[22] | b[23] << 8, 3, {b.begin() + (b[10] | b[11] << 8), b.end()}};
    return {b[12] | b[13] << 8, b[14] | b[15] << 8, b[16] / 8, {b.begin() + 18, b.end()}};
}

TEST(GeneratedPictures, AreStoredUprightForTheGame) {
    const std::string dir = (std::filesystem::temp_directory_path() / "fendwall-assetgen-test").string();
    std::filesystem::create_directories(dir + "/texturen");
    ASSERT_TRUE(generatePictures(dir));
    const Stored wall = read(dir + "/texturen/wand_blau_gruen.bmp"), logo = read(dir + "/texturen/logo.tga");
    std::filesystem::remove_all(dir);

    // Wall sides: t = 1, the last stored rows, is the lit top of the block.
    auto brightness = [&wall](int row) {
        int sum = 0;
        for (int x = 0; x < wall.width; ++x) sum += wall.at(x, row, 0) + wall.at(x, row, 1) + wall.at(x, row, 2);
        return sum;
    };
    EXPECT_GT(brightness(wall.height - 2), brightness(1) * 2);
    EXPECT_GT(brightness(wall.height * 3 / 4), brightness(wall.height / 4));

    // Logo: the first letter, F, has its bar at the top: in its right half only the bar has ink.
    ASSERT_EQ(logo.channels, 4);
    auto ink = [&logo](int from, int to, int rowFrom, int rowTo) {
        int sum = 0;
        for (int x = from; x < to; ++x) {
            for (int y = rowFrom; y < rowTo; ++y) sum += logo.at(x, y, 3);
        }
        return sum;
    };
    auto inked = [&logo](int x) {
        for (int y = 0; y < logo.height; ++y) {
            if (logo.at(x, y, 3) > 96) return true;
        }
        return false;
    };
    int f0 = 0;
    while (f0 < logo.width && !inked(f0)) ++f0;
    int f1 = f0;
    while (f1 < logo.width && inked(f1)) ++f1;
    ASSERT_LT(f1, logo.width / 2) << "no first letter";
    const int h = logo.height, fMid = (f0 + f1) / 2;
    EXPECT_GT(ink(fMid, f1, h - 5, h), 4 * ink(fMid, f1, 0, 5) + 255) << "F upside down";
}

}  // namespace
