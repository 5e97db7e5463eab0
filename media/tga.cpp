// tga.cpp: the TGA reader behind loadTga. Only the one layout our intro pictures use is
// read: uncompressed true colour, 24 or 32 bits, no image id, no colour map, origin 0.
// Rows are kept in file order and the image descriptor byte is ignored.
#include <cstdlib>
#include <cstring>

#include "media/file_bytes.h"
#include "media/textures.h"

namespace {

constexpr size_t TGA_TEMPLATE_SIZE = 12;
constexpr size_t TGA_SPEC_SIZE = 6;
constexpr size_t TGA_HEADER_SIZE = TGA_TEMPLATE_SIZE + TGA_SPEC_SIZE;

// No id, no colour map, image type 2, empty colour-map fields, x and y origin 0.
const u8 TGA_TEMPLATE[TGA_TEMPLATE_SIZE] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Checks the 18 header bytes and fills the size fields; returns the pixel byte count,
// or 0 when the file is refused. 64 bits: 65535 x 65535 x 4 does not fit in 32.
u64 readHeader(TgaTexture& texture, const u8* header) {
    if (std::memcmp(header, TGA_TEMPLATE, TGA_TEMPLATE_SIZE) != 0) return 0;
    const u8* imageSpec = header + TGA_TEMPLATE_SIZE;
    texture.width = u32(imageSpec[0]) + 256u * imageSpec[1];
    texture.height = u32(imageSpec[2]) + 256u * imageSpec[3];
    const u32 bitsPerPixel = imageSpec[4];
    if (texture.width == 0 || texture.height == 0) return 0;
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return 0;
    texture.bitsPerPixel = bitsPerPixel;
    if (texture.width > TGA_MAX_SIDE || texture.height > TGA_MAX_SIDE) return 0;
    return u64(texture.width) * texture.height * (bitsPerPixel / 8);
}

// The file stores blue-green-red(-alpha); GL wants red first.
void swapRedBlue(u8* data, u64 size, u32 bitsPerPixel) {
    const u64 step = bitsPerPixel / 8;
    for (u64 i = 0; i + step <= size; i += step) {
        const u8 blue = data[i];
        data[i] = data[i + 2];
        data[i + 2] = blue;
    }
}

}  // namespace

bool decodeTga(TgaTexture& texture, const u8* bytes, size_t size) {
    if (bytes == nullptr || size < TGA_HEADER_SIZE) return false;
    const u64 pixelBytes = readHeader(texture, bytes);
    if (pixelBytes == 0 || size - TGA_HEADER_SIZE < pixelBytes) return false;
    u8* data = static_cast<u8*>(std::malloc(pixelBytes));
    if (data == nullptr) return false;
    std::memcpy(data, bytes + TGA_HEADER_SIZE, pixelBytes);
    swapRedBlue(data, pixelBytes, texture.bitsPerPixel);
    texture.data.reset(data);
    return true;
}

bool readTga(TgaTexture& texture, const char* fileName) {
    // The largest picture we take, and room for the optional areas that may follow it.
    constexpr size_t MAX_FILE = TGA_HEADER_SIZE + size_t(TGA_MAX_SIDE) * TGA_MAX_SIDE * 4 + (1u << 20);
    u8* bytes = nullptr;
    size_t size = 0;
    if (readFileBytes(fileName, MAX_FILE, &bytes, &size) != FileRead::Ok) return false;
    const bool ok = decodeTga(texture, bytes, size);
    std::free(bytes);
    return ok;
}
