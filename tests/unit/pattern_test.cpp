// pattern_test.cpp: the pattern file reader, and the reset that keeps a growing wall.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "game/game.h"
#include "support/harness.h"

namespace {

// count data lines of 30 values: the first given, the rest `value`.
std::string rows(int count, int value, const std::string& first = "", const char* end = "\n") {
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += first.empty() ? std::to_string(value) : first;
        for (int j = 1; j < 30; ++j) text += " " + std::to_string(value);
        text += end;
    }
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
        for (int x = 0; x < 30; ++x) EXPECT_EQ(at(x, 29), 1u) << x;
        EXPECT_EQ(at(0, 0), 1u);
        EXPECT_EQ(gGame.playfield.countSolidCells(), 31);
    }
}

TEST_F(PatternTest, IntegerNotationsAndValuesOtherThanOneAreStoredButNotCounted) {
    gGame.playfield.cells[6][6].marked = gGame.playfield.building = 1;
    std::string first = "0x1 01 010 2 -1";
    for (int j = 5; j < 30; ++j) first += " 0";
    load(first + "\n" + rows(29, 0));
    const u32 expected[] = {1, 1, 8, 2, 0xFFFFFFFFu};  // 010 is octal
    for (int x = 0; x < 5; ++x) EXPECT_EQ(at(x, 29), expected[x]) << x;
    EXPECT_EQ(gGame.playfield.countSolidCells(), 2);
    gGame.playfield.clear();
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116);
    EXPECT_EQ(gGame.playfield.cells[6][6].marked + gGame.playfield.building, 2) << "the pattern and the reset keep a growing wall";
}

TEST_F(PatternTest, DamagedFilesNeitherCrashNorInventValues) {
    gGame.playfield.loadPattern((dir.path / "missing.dat").c_str());
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116) << "missing: the field stays as it was";

    load(rows(3, 0) + "// trailing\n/ comment");  // ends early: rows not read keep their values
    EXPECT_EQ(at(0, 29) + at(0, 27), 0u);
    EXPECT_EQ(at(0, 26), 1u);

    gGame.playfield.clear();  // a short line sets only the values it has
    load("0 0 0\n" + rows(29, 1));
    EXPECT_EQ(at(0, 29) + at(2, 29), 0u);
    EXPECT_EQ(at(3, 29), 1u);

    gGame.playfield.clear();  // " /..." is data, not a comment: row 29 without numbers keeps its border
    load(" / not a comment\n" + rows(30, 0));
    EXPECT_EQ(at(15, 29), 1u);
    EXPECT_EQ(at(0, 28) + at(0, 0), 0u);

    gGame.playfield.clear();  // empty, and one overlong line without a line end
    load("");
    load(std::string(5000, '7'));
    EXPECT_EQ(at(15, 15), 0u);

    load("/" + std::string(299, 'x') + "\n" + rows(1, 0) + rows(29, 1));  // after 254 characters, a line of its own
    EXPECT_EQ(at(5, 29), 1u) << "the comment's tail took data row 29";
    EXPECT_EQ(at(5, 28), 0u);
    EXPECT_EQ(at(5, 0), 1u);
}

}  // namespace
