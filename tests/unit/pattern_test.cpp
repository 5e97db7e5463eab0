// pattern_test.cpp: the playfield reset, the solid count and the pattern file reader.
#include <gtest/gtest.h>

#include <string>

#include "game/playfield.h"
#include "support/harness.h"

namespace {

std::string row(const std::string& first, int value) {
    std::string line = first;
    for (int j = 1; j < 30; ++j) line += " " + std::to_string(value);
    return line + "\n";
}

std::string rows(int count, int value) {
    std::string text;
    for (int k = 0; k < count; ++k) text += row(std::to_string(value), value);
    return text;
}

class PatternTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        gPlayfield.clear();
    }
    harness::TempDir dir;
};

TEST_F(PatternTest, ClearMakesBorderedOpenFieldAndKeepsWallState) {
    gPlayfield.cells[10][10].marked = 1;
    gPlayfield.building = 1;
    gPlayfield.endHigh = 12;
    gPlayfield.cursorX = 20;
    gPlayfield.clear();
    EXPECT_EQ(gPlayfield.countSolidCells(), 116);
    EXPECT_EQ(gPlayfield.cells[0][0].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[29][29].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[0][15].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[15][29].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[1][1].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[28][28].solid, 0u);
    EXPECT_EQ(gPlayfield.cursorX, 5);
    EXPECT_EQ(gPlayfield.cursorY, 5);
    EXPECT_EQ(gPlayfield.cellPixelsX, 21);
    EXPECT_EQ(gPlayfield.cellPixelsY, 16);
    EXPECT_EQ(gPlayfield.textureStepX, 0.033333335f);
    // A wall under construction survives the reset.
    EXPECT_EQ(gPlayfield.cells[10][10].marked, 1);
    EXPECT_EQ(gPlayfield.building, 1);
    EXPECT_EQ(gPlayfield.endHigh, 12);
}

TEST_F(PatternTest, FirstDataLineIsTopRowAndCommentsAndEmptyLinesAreSkipped) {
    std::string text = "// a title\n\n/another comment\n";
    text += row("1", 1);             // y = 29
    text += "\n// between\n";
    text += rows(28, 0);
    text += row("1", 0);             // y = 0: only x = 0 solid
    text += "garbage after the picture is never read\n";
    gPlayfield.loadPattern(dir.file("p.dat", text).c_str());
    for (int x = 0; x < 30; ++x) EXPECT_EQ(gPlayfield.cells[x][29].solid, 1u) << x;
    EXPECT_EQ(gPlayfield.cells[0][0].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[1][0].solid, 0u);
    EXPECT_EQ(gPlayfield.countSolidCells(), 31);
}

TEST_F(PatternTest, IntegerNotationsAndValuesOtherThanOneAreStoredButNotCounted) {
    // "0x1" and "01" are 1; "010" is octal 8; 2 and -1 are stored as they are.
    std::string first = "0x1 01 010 2 -1";
    for (int j = 5; j < 30; ++j) first += " 0";
    std::string text = first + "\n" + rows(29, 0);
    gPlayfield.loadPattern(dir.file("p.dat", text).c_str());
    EXPECT_EQ(gPlayfield.cells[0][29].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[1][29].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[2][29].solid, 8u);
    EXPECT_EQ(gPlayfield.cells[3][29].solid, 2u);
    EXPECT_EQ(gPlayfield.cells[4][29].solid, 0xFFFFFFFFu);
    EXPECT_EQ(gPlayfield.countSolidCells(), 2);
}

TEST_F(PatternTest, LineStartingWithBlankIsDataEvenBeforeASlash) {
    // " /..." is not a comment: it is data row 29 (with no numbers, so row 29 keeps
    // its border), and the next line is row 28.
    std::string text = " / not a comment\n" + rows(30, 0);
    gPlayfield.loadPattern(dir.file("p.dat", text).c_str());
    EXPECT_EQ(gPlayfield.cells[15][29].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[0][28].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[0][0].solid, 0u);
}

TEST_F(PatternTest, WindowsLineEndsReadLikeUnixOnes) {
    std::string text = "// comment\r\n\r\n";
    for (int k = 0; k < 30; ++k) {
        std::string line = row(k == 0 ? "1" : "0", k == 0 ? 1 : 0);
        line.insert(line.size() - 1, "\r");
        text += line;
    }
    gPlayfield.loadPattern(dir.file("p.dat", text).c_str());
    EXPECT_EQ(gPlayfield.cells[29][29].solid, 1u);
    EXPECT_EQ(gPlayfield.countSolidCells(), 30);
}

TEST_F(PatternTest, OverwritesEverySolidValueButNoMarks) {
    gPlayfield.cells[5][5].solid = 1;
    gPlayfield.cells[6][6].marked = 1;
    gPlayfield.loadPattern(dir.file("p.dat", rows(30, 0)).c_str());
    EXPECT_EQ(gPlayfield.countSolidCells(), 0);
    EXPECT_EQ(gPlayfield.cells[6][6].marked, 1);
}

TEST_F(PatternTest, DamagedFilesNeitherCrashNorInventValues) {
    // Missing: the field stays as it was.
    gPlayfield.loadPattern((dir.path + "/missing.dat").c_str());
    EXPECT_EQ(gPlayfield.countSolidCells(), 116);

    // Ends early, and ends inside a run of comments: rows not read keep their values.
    gPlayfield.loadPattern(dir.file("short.dat", rows(3, 0) + "// trailing\n/ comment").c_str());
    EXPECT_EQ(gPlayfield.cells[0][29].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[0][27].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[0][26].solid, 1u);

    // A short line sets only the values it has.
    gPlayfield.clear();
    gPlayfield.loadPattern(dir.file("shortline.dat", "0 0 0\n" + rows(29, 1)).c_str());
    EXPECT_EQ(gPlayfield.cells[0][29].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[2][29].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[3][29].solid, 1u);

    // Empty file and a file of one overlong line with no line end.
    gPlayfield.clear();
    gPlayfield.loadPattern(dir.file("empty.dat", "").c_str());
    gPlayfield.loadPattern(dir.file("long.dat", std::string(5000, '7')).c_str());
    EXPECT_EQ(gPlayfield.cells[15][15].solid, 0u);
}

TEST_F(PatternTest, LinesLongerThanTheBufferAreReadAsSeveralLines) {
    // 300 characters of comment: the rest after 254 characters is a line of its own.
    std::string text = "/" + std::string(299, 'x') + "\n" + rows(1, 0) + rows(29, 1);
    gPlayfield.loadPattern(dir.file("p.dat", text).c_str());
    EXPECT_EQ(gPlayfield.cells[5][29].solid, 1u) << "the comment's tail took data row 29";
    EXPECT_EQ(gPlayfield.cells[5][28].solid, 0u);
    EXPECT_EQ(gPlayfield.cells[5][0].solid, 1u);
}

}  // namespace
