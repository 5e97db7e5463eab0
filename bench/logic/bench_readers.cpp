// bench_readers.cpp: our BMP and TGA readers on 256 x 256 pictures held in memory, the
// size of the game's largest pictures (the floor and the wall tops).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "media/bmp.h"
#include "media/textures.h"

namespace {

constexpr int SIDE = 256;

void putLe(std::vector<u8>& out, size_t at, u32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<u8>(value >> (8 * i));
}

// A 24-bit bottom-up Windows bitmap with its file header, as the game's files are.
std::vector<u8> bitmapFile() {
    const u32 rowBytes = SIDE * 3;  // already a multiple of 4
    const u32 pixelBytes = rowBytes * SIDE;
    std::vector<u8> file(54 + pixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    putLe(file, 2, static_cast<u32>(file.size()), 4);
    putLe(file, 10, 54, 4);
    putLe(file, 14, 40, 4);
    putLe(file, 18, SIDE, 4);
    putLe(file, 22, SIDE, 4);
    putLe(file, 26, 1, 2);
    putLe(file, 28, 24, 2);
    putLe(file, 34, pixelBytes, 4);
    for (u32 i = 0; i < pixelBytes; ++i) file[54 + i] = static_cast<u8>(i * 7 + i / rowBytes);
    return file;
}

// An uncompressed 32-bit TGA, as the intro's pictures are.
std::vector<u8> targaFile() {
    const u32 pixelBytes = SIDE * SIDE * 4;
    std::vector<u8> file(18 + pixelBytes, 0);
    file[2] = 2;
    putLe(file, 12, SIDE, 2);
    putLe(file, 14, SIDE, 2);
    file[16] = 32;
    for (u32 i = 0; i < pixelBytes; ++i) file[18 + i] = static_cast<u8>(i * 13);
    return file;
}

void BM_DecodeBmp256(benchmark::State& state) {
    const std::vector<u8> file = bitmapFile();
    for (auto _ : state) {
        RgbImage* image = decodeDib(file.data(), file.size(), nullptr);
        if (!image) {
            state.SkipWithError("the bitmap was refused");
            return;
        }
        benchmark::DoNotOptimize(image->data[0]);
        freeRgbImage(image);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_DecodeBmp256)->Unit(benchmark::kMicrosecond);

void BM_DecodeTga256(benchmark::State& state) {
    const std::vector<u8> file = targaFile();
    for (auto _ : state) {
        TgaTexture texture{};
        if (!decodeTga(texture, file.data(), file.size())) {
            state.SkipWithError("the TGA was refused");
            return;
        }
        benchmark::DoNotOptimize(texture.data[0]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_DecodeTga256)->Unit(benchmark::kMicrosecond);

}  // namespace
