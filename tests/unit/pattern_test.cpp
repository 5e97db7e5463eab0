// pattern_test.cpp: the pattern file reader: comments, line ends, notations, damage.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

#include "game/game.h"
#include "support/harness.h"

namespace {

// count data lines of 30 values: the first given, the rest `value`.
std::string rows(int count, int value, const std::string& first = "", const char* end = "\n") {
    std::string line = first.empty() ? std::to_string(value) : first, text;
    for (int j = 1; j < 30; ++j) line += " " + std::to_string(value);
    for (int k = 0; k < count; ++k) text += line + end;
    return text;
}

class PatternTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        gGame.playfield.clear();
    }
    void load(const std::string& text) {
        std::ofstream(dir.path / "p.dat", std::ios::binary) << text;
        gGame.playfield.loadPattern((dir.path / "p.dat").c_str());
    }
    static u32 at(int x, int y) { return gGame.playfield.cells[x][y].solid; }
    ScratchDir dir;
};

TEST_F(PatternTest, FirstDataLineIsTheTopRowCommentsAndEmptyLinesAreSkipped) {
    const std::string unix = "// a title\n\n/another comment\n" + rows(1, 1) + "\n// between\n" + rows(28, 0) + rows(1, 0, "1") +
                             "garbage after the picture is never read\n";
    const std::string windows = "// comment\r\n\r\n" + rows(1, 1, "", "\r\n") + rows(28, 0, "", "\r\n") + rows(1, 0, "1", "\r\n");
    for (const std::string& text : {unix, windows}) {
        gGame.playfield.clear();
        load(text);
        EXPECT_TRUE(at(0, 29) && at(29, 29) && at(0, 0) && gGame.playfield.countSolidCells() == 31);
    }
}

TEST_F(PatternTest, DamagedFilesNeitherCrashNorInventValues) {
    gGame.playfield.loadPattern((dir.path / "missing.dat").c_str());
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116) << "missing: the field stays as it was";

    load(rows(3, 0) + "// trailing\n/ comment");  // ends early: rows not read keep their values
    EXPECT_TRUE(at(0, 29) + at(0, 27) == 0 && at(0, 26) == 1);

    gGame.playfield.clear();  // a short line sets only the values it has
    load("0 0 0\n" + rows(29, 1));
    EXPECT_TRUE(at(0, 29) + at(2, 29) == 0 && at(3, 29) == 1);

    gGame.playfield.clear();  // one overlong line without a line end
    load(std::string(5000, '7'));
    EXPECT_EQ(at(15, 15), 0u);
    load("0x1 01 010 2 -1" + rows(1, 0).substr(1) + rows(29, 0));  // C notations, octal included
    for (int x = 0; x < 5; ++x) EXPECT_EQ(at(x, 29), (std::array<u32, 5>{1, 1, 8, 2, 0xFFFFFFFFu}[x])) << x;
    EXPECT_EQ(gGame.playfield.countSolidCells(), 2) << "only 1s are solid";
}

}  // namespace
