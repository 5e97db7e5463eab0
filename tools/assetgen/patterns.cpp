// patterns.cpp: the two block pictures the field shows behind the main menu, the title
// (FEND over WALL) and the game-over picture (GAME over OVER), in 5 x 7 block letters.
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "assetgen.h"

namespace {

constexpr int FIELD = 30;
constexpr int LETTER_W = 5;
constexpr int LETTER_H = 7;
constexpr int LETTER_STEP = 7;  // two open columns between letters read better in perspective
constexpr int FIRST_COLUMN = 2;
// Rows counted from the top line of the file. The words sit high and low so that the
// middle of the field stays open for the balls; the menu window covers the centre of
// the picture, and this way the most of each word shows around it.
constexpr int TOP_WORD_ROW = 2;
constexpr int BOTTOM_WORD_ROW = 21;

const std::map<char, std::vector<const char*>>& letters() {
    static const std::map<char, std::vector<const char*>> table = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    };
    return table;
}

using Grid = std::vector<std::vector<int>>;  // [row from the top][column]

Grid emptyField() {
    Grid g(FIELD, std::vector<int>(FIELD, 0));
    for (int i = 0; i < FIELD; ++i) {
        g[0][i] = g[FIELD - 1][i] = 1;
        g[i][0] = g[i][FIELD - 1] = 1;
    }
    return g;
}

bool putWord(Grid& g, const std::string& word, int topRow) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto it = letters().find(word[i]);
        if (it == letters().end()) {
            std::fprintf(stderr, "assetgen: no block letter for '%c'\n", word[i]);
            return false;
        }
        const int left = FIRST_COLUMN + static_cast<int>(i) * LETTER_STEP;
        for (int r = 0; r < LETTER_H; ++r)
            for (int c = 0; c < LETTER_W; ++c)
                if (it->second[r][c] == '#') g[topRow + r][left + c] = 1;
    }
    return true;
}

bool writePattern(const std::string& path, const std::string& what, const std::string& top,
                  const std::string& bottom) {
    Grid g = emptyField();
    if (!putWord(g, top, TOP_WORD_ROW) || !putWord(g, bottom, BOTTOM_WORD_ROW)) return false;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << "// " << what << " of Fendwall: the words " << top << " and " << bottom
      << " in blocks on the 30 x 30 field.\n"
      << "// Made by fendwall-assetgen (tools/assetgen/patterns.cpp); edit the generator, not this "
         "file.\n"
      << "// Format: lines starting with '/' are comments, empty lines are skipped; then 30 lines\n"
      << "// of 30 integers separated by blanks, 1 = solid block, 0 = open cell. The first line\n"
      << "// is the top row of the field (y = 29), the last the bottom row (y = 0); the first\n"
      << "// value of a line is the leftmost column (x = 0).\n";
    for (const auto& row : g) {
        for (int x = 0; x < FIELD; ++x) f << (x ? " " : "") << row[x];
        f << '\n';
    }
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool generatePatterns(const std::string& dataDir) {
    bool ok = writePattern(dataDir + "/fend.dat", "Title picture", "FEND", "WALL");
    ok = writePattern(dataDir + "/over.dat", "Game-over picture", "GAME", "OVER") && ok;
    return ok;
}
