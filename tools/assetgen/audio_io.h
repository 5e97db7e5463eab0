// audio_io.h: writing generated sounds to the two formats the game reads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace audio {

// Mono 16-bit PCM WAV. Samples are in [-1, 1]; anything beyond is clamped.
bool writeWav16Mono(const std::string& path, const std::vector<float>& samples, int rate);

// Ogg Vorbis, VBR. right may be empty for a mono file. The stream serial number is
// fixed by the caller so the same input always gives the same bytes.
bool writeOggVorbis(const std::string& path, const std::vector<float>& left,
                    const std::vector<float>& right, int rate, float quality,
                    std::uint32_t serial, const char* title);

// The 16-bit value a sample is stored as (rounded, clamped).
std::int16_t toPcm16(float v);

}  // namespace audio
