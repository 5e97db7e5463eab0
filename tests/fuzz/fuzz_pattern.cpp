// fuzz_pattern.cpp: libFuzzer target for the pattern-file reader, reading the input as the
// file through fmemopen. Besides the sanitizers' checks it asserts that the reader writes
// nothing but the cells' solid values (guard bytes on both sides of the field, the field's
// header and every marked flag come out as they went in), and that a read reported
// complete has rewritten all 900 cells, whatever they held before.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "game/game.h"

namespace {

constexpr u8 GUARD = 0xA5;
constexpr u8 MARK = 0x5A;
constexpr size_t HEADER_BYTES = offsetof(Playfield, cells);

struct Guarded {
    u8 before[64];
    Playfield field;
    u8 after[64];
};

Guarded area;
Cell firstRead[FIELD_SIZE][FIELD_SIZE];

// Reads the input over a field whose cells all hold `fill`; false when the reader wrote
// anywhere but the solid values.
bool readOver(const uint8_t* data, size_t size, u32 fill, bool* complete) {
    std::memset(&area, GUARD, sizeof area);
    area.field.clear();
    for (auto& column : area.field.cells) {
        for (Cell& cell : column) {
            cell.solid = fill;
            std::memset(&cell.marked, MARK, 1);  // a byte no write of a flag leaves; never read as bool
        }
    }
    u8 header[HEADER_BYTES];
    std::memcpy(header, &area.field, HEADER_BYTES);

    // glibc takes a zero-sized buffer as an empty stream; it only needs a valid pointer.
    static char nothing[1];
    std::FILE* file = fmemopen(size > 0 ? const_cast<uint8_t*>(data) : reinterpret_cast<uint8_t*>(nothing), size, "r");
    if (file == nullptr) __builtin_trap();
    *complete = area.field.readPattern(file);
    std::fclose(file);

    const auto guarded = [](const u8* bytes) { return std::all_of(bytes, bytes + 64, [](u8 b) { return b == GUARD; }); };
    if (!guarded(area.before) || !guarded(area.after) || std::memcmp(header, &area.field, HEADER_BYTES) != 0) return false;
    const auto& cells = area.field.cells;
    return std::all_of(&cells[0][0], &cells[0][0] + FIELD_SIZE * FIELD_SIZE, [](const Cell& cell) {
        u8 mark = 0;
        std::memcpy(&mark, &cell.marked, 1);
        return mark == MARK;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bool complete = false;
    if (!readOver(data, size, 0xDEADBEEFu, &complete)) __builtin_trap();
    std::memcpy(firstRead, area.field.cells, sizeof firstRead);
    bool completeAgain = false;
    if (!readOver(data, size, 0x0BADF00Du, &completeAgain)) __builtin_trap();
    if (complete != completeAgain) __builtin_trap();
    // A cell the reader did not write still holds its fill, which differs between the reads
    // (marks and padding are the same bytes both times).
    if (complete && std::memcmp(area.field.cells, firstRead, sizeof firstRead) != 0) __builtin_trap();
    return 0;
}
