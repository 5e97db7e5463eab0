// playfield.cpp: the 30 x 30 grid, its reset, the solid count and the pattern files.
#include "game/playfield.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

void Playfield::clear() {
    for (i32 x = 0; x < FIELD_SIZE; ++x) {
        for (i32 y = 0; y < FIELD_SIZE; ++y) {
            const bool border = x == 0 || x == FIELD_SIZE - 1 || y == 0 || y == FIELD_SIZE - 1;
            cells[x][y].solid = border ? 1 : 0;
        }
    }
    cursorX = 5;
    cursorY = 5;
    // The tops share one picture over the whole grid.
    textureStepX = 1.0f / static_cast<f32>(FIELD_SIZE);
    textureStepY = 1.0f / static_cast<f32>(FIELD_SIZE);
    cellPixelsY = CELL_PIXELS_Y;
    cellPixelsX = CELL_PIXELS_X;
}

i32 Playfield::countSolidCells() const {
    i32 count = 0;
    for (const auto& column : cells) {
        for (const Cell& cell : column) {
            if (cell.solid == 1) ++count;
        }
    }
    return count;
}

bool readPatternLine(std::FILE* file, char* line) {
    for (;;) {
        if (!std::fgets(line, 255, file)) return false;
        // The files were written on Windows and read in text mode there: drop the CR of a CR LF.
        const size_t length = std::strlen(line);
        if (length >= 2 && line[length - 2] == '\r' && line[length - 1] == '\n') {
            line[length - 2] = '\n';
            line[length - 1] = '\0';
        }
        if (line[0] != '/' && line[0] != '\n') return true;
    }
}

bool Playfield::readPattern(std::FILE* file) {
    char line[256];
    bool complete = true;
    for (i32 k = 0; k < FIELD_SIZE; ++k) {
        if (!readPatternLine(file, line)) return false;
        int v[FIELD_SIZE];
        const int got = std::sscanf(
            line,
            "%i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i %i",
            &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11],
            &v[12], &v[13], &v[14], &v[15], &v[16], &v[17], &v[18], &v[19], &v[20], &v[21], &v[22],
            &v[23], &v[24], &v[25], &v[26], &v[27], &v[28], &v[29]);
        // Values a short line does not have keep what the cell held.
        for (int j = 0; j < got && j < FIELD_SIZE; ++j) {
            cells[j][FIELD_SIZE - 1 - k].solid = static_cast<u32>(v[j]);
        }
        if (got != FIELD_SIZE) complete = false;
    }
    return complete;
}

void Playfield::loadPattern(const char* fileName) {
    // Opened without waiting, and read only if it is a file: a FIFO or a device in its place
    // would hold the game before its first picture.
    const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    std::FILE* file = fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? fdopen(fd, "r") : nullptr;
    if (!file) {
        if (fd >= 0) close(fd);
        std::fprintf(stderr, "fendwall: pattern file %s is %s; the field stays as it is\n", fileName,
                     fd >= 0 ? "not a file" : "missing");
        return;
    }
    const bool complete = readPattern(file);
    std::fclose(file);
    if (!complete) {
        std::fprintf(stderr, "fendwall: pattern file %s is incomplete; cells it lacks keep their values\n",
                     fileName);
    }
}
