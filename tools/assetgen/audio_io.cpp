// audio_io.cpp: WAV and Ogg Vorbis writers for the sound generator.
#include "audio_io.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace audio {

std::int16_t toPcm16(float v) {
    const float scaled = std::round(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
    return static_cast<std::int16_t>(scaled);
}

static void put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xff));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
}

static void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

static void putTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

static bool writeFile(const std::string& path, const unsigned char* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(data, 1, size, f) == size;
    const bool closed = std::fclose(f) == 0;
    if (!ok || !closed) {
        std::fprintf(stderr, "assetgen: short write to %s\n", path.c_str());
        return false;
    }
    return true;
}

bool writeWav16Mono(const std::string& path, const std::vector<float>& samples, int rate) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);                                   // size of the PCM format block
    put16(out, 1);                                    // PCM
    put16(out, 1);                                    // mono
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * 2); // bytes per second
    put16(out, 2);                                    // bytes per frame
    put16(out, 16);                                   // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (float v : samples) put16(out, static_cast<std::uint16_t>(toPcm16(v)));
    return writeFile(path, out.data(), out.size());
}

namespace {

struct OggOut {
    std::vector<unsigned char> bytes;
    void page(const ogg_page& pg) {
        bytes.insert(bytes.end(), pg.header, pg.header + pg.header_len);
        bytes.insert(bytes.end(), pg.body, pg.body + pg.body_len);
    }
};

}  // namespace

bool writeOggVorbis(const std::string& path, const std::vector<float>& left,
                    const std::vector<float>& right, int rate, float quality,
                    std::uint32_t serial, const char* title) {
    const int channels = right.empty() ? 1 : 2;
    if (channels == 2 && right.size() != left.size()) {
        std::fprintf(stderr, "assetgen: %s: channel lengths differ\n", path.c_str());
        return false;
    }
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
        std::fprintf(stderr, "assetgen: %s: the Vorbis encoder refused the settings\n", path.c_str());
        vorbis_info_clear(&vi);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, static_cast<int>(serial));

    OggOut out;
    ogg_page pg;
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&vd, &vc, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &headerComment);
    ogg_stream_packetin(&os, &headerCode);
    // The headers get pages of their own so audio starts on a fresh page, as decoders expect.
    while (ogg_stream_flush(&os, &pg) != 0) out.page(pg);

    auto drain = [&]() {
        ogg_packet op;
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op) != 0) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &pg) != 0) out.page(pg);
            }
        }
    };

    const std::size_t total = left.size();
    const std::size_t chunk = 1024;
    for (std::size_t pos = 0; pos < total; pos += chunk) {
        const std::size_t n = std::min(chunk, total - pos);
        float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i) {
            // Quantise to the 16-bit master first: the file then encodes exactly what a
            // 16-bit render would hold, and tiny float differences cannot leak through.
            buf[0][i] = static_cast<float>(toPcm16(left[pos + i])) / 32768.0f;
            if (channels == 2) buf[1][i] = static_cast<float>(toPcm16(right[pos + i])) / 32768.0f;
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n));
        drain();
    }
    vorbis_analysis_wrote(&vd, 0);
    drain();
    while (ogg_stream_flush(&os, &pg) != 0) out.page(pg);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return writeFile(path, out.bytes.data(), out.bytes.size());
}

}  // namespace audio
