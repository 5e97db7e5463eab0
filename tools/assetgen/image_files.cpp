// image_files.cpp: BMP, TGA and PNG encoders. Output depends only on the pixels, so
// re-running the generator reproduces the committed files byte for byte.
#include "image_files.h"

#include <zlib.h>

#include <cstdio>
#include <fstream>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void put32be(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>((v >> 16) & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
}

const std::uint8_t* pixel(const Image8& img, int x, int y) {
    return &img.rgba[(static_cast<std::size_t>(y) * img.width + x) * 4];
}

void pngChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    put32be(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    put32be(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> encodeBmp24(const Image8& img) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(img.width) * 3 + 3) & ~3U;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(img.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);  // file size
    put32(out, 0);                // reserved
    put32(out, 54);               // offset of the pixels
    put32(out, 40);               // info header size
    put32(out, static_cast<std::uint32_t>(img.width));
    put32(out, static_cast<std::uint32_t>(img.height));  // positive: bottom row first
    put16(out, 1);                                       // planes
    put16(out, 24);                                      // bits per pixel
    put32(out, 0);                                       // no compression
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi, both ways
    put32(out, 2835);
    put32(out, 0);  // colours used
    put32(out, 0);  // colours important
    for (int y = img.height - 1; y >= 0; --y) {
        for (int x = 0; x < img.width; ++x) {
            const std::uint8_t* p = pixel(img, x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(img.width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> encodeTga(const Image8& img, int bits) {
    std::vector<std::uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, static_cast<std::uint32_t>(img.width));
    put16(out, static_cast<std::uint32_t>(img.height));
    out.push_back(static_cast<std::uint8_t>(bits));
    out.push_back(bits == 32 ? 8 : 0);  // alpha bits; origin bits clear = bottom row first
    for (int y = img.height - 1; y >= 0; --y) {
        for (int x = 0; x < img.width; ++x) {
            const std::uint8_t* p = pixel(img, x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            if (bits == 32) out.push_back(p[3]);
        }
    }
    return out;
}

std::vector<std::uint8_t> encodePng(const Image8& img) {
    std::vector<std::uint8_t> raw;
    const std::size_t rowBytes = static_cast<std::size_t>(img.width) * 4;
    raw.reserve((rowBytes + 1) * img.height);
    for (int y = 0; y < img.height; ++y) {
        // Filter "Sub": icons are mostly flat areas, which this turns into zero runs.
        raw.push_back(1);
        const std::uint8_t* row = pixel(img, 0, y);
        for (std::size_t i = 0; i < rowBytes; ++i)
            raw.push_back(static_cast<std::uint8_t>(row[i] - (i >= 4 ? row[i - 4] : 0)));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> ihdr;
    put32be(ihdr, static_cast<std::uint32_t>(img.width));
    put32be(ihdr, static_cast<std::uint32_t>(img.height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
    pngChunk(out, "IHDR", ihdr);
    pngChunk(out, "IDAT", packed);
    pngChunk(out, "IEND", {});
    return out;
}

bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (f)
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
