// sound_files_test.cpp: the generated sound files in data/sound/ are in the formats and
// within the limits the game and the mixer expect.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned le16(const std::vector<unsigned char>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
unsigned long le32(const std::vector<unsigned char>& b, size_t at) {
    return le16(b, at) | (static_cast<unsigned long>(le16(b, at + 2)) << 16);
}

struct Wav {
    unsigned format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<short> samples;
};

// Walks the RIFF chunks rather than assuming a 44-byte header.
bool parseWav(const std::vector<unsigned char>& b, Wav* out) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
        return false;
    }
    bool haveFmt = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const unsigned long size = le32(b, at + 4);
        const size_t body = at + 8;
        if (body + size > b.size()) return false;
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && size >= 16) {
            out->format = le16(b, body);
            out->channels = le16(b, body + 2);
            out->rate = static_cast<unsigned>(le32(b, body + 4));
            out->bits = le16(b, body + 14);
            haveFmt = true;
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            for (size_t i = 0; i + 1 < size; i += 2) out->samples.push_back(static_cast<short>(le16(b, body + i)));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    return haveFmt && haveData;
}

double dbfs(double linear) { return 20.0 * std::log10(linear / 32768.0); }

struct Level {
    double peakDb;
    double rmsDb;
};

Level levelOf(const std::vector<short>& s) {
    double peak = 0, sum = 0;
    for (short v : s) {
        peak = std::max(peak, std::fabs(static_cast<double>(v)));
        sum += static_cast<double>(v) * v;
    }
    return {dbfs(peak), dbfs(std::sqrt(sum / static_cast<double>(s.size())))};
}

TEST(SoundFiles, EffectsAreShortMono16BitWavsWithoutClippingOrClicks) {
    struct Expect {
        const char* path;
        double maxSeconds;
    };
    for (const Expect& e : {Expect{"data/sound/wand.wav", 0.2}, Expect{"data/sound/bombe_explodiert.wav", 1.5}}) {
        SCOPED_TRACE(e.path);
        Wav w;
        ASSERT_TRUE(parseWav(readAll(e.path), &w));
        EXPECT_EQ(w.format, 1u);  // PCM
        EXPECT_EQ(w.channels, 1u);
        EXPECT_EQ(w.rate, 22050u);
        EXPECT_EQ(w.bits, 16u);
        ASSERT_FALSE(w.samples.empty());
        EXPECT_LT(static_cast<double>(w.samples.size()) / w.rate, e.maxSeconds);

        const Level l = levelOf(w.samples);
        EXPECT_LT(l.peakDb, -1.0);
        EXPECT_GT(l.peakDb, -20.0) << "audible";
        // A sound that starts or stops away from zero clicks every time it plays.
        EXPECT_LT(std::abs(w.samples.front()), 330);
        EXPECT_LT(std::abs(w.samples.back()), 330);
    }
}

TEST(SoundFiles, TheBounceIsTheSofterEffect) {
    Wav bounce, boom;
    ASSERT_TRUE(parseWav(readAll("data/sound/wand.wav"), &bounce));
    ASSERT_TRUE(parseWav(readAll("data/sound/bombe_explodiert.wav"), &boom));
    const Level b = levelOf(bounce.samples), e = levelOf(boom.samples);
    EXPECT_LT(b.rmsDb, e.rmsDb);
    EXPECT_LT(b.peakDb, e.peakDb);
    // ...but not so soft that it is lost under the music.
    EXPECT_GT(b.rmsDb, e.rmsDb - 9.0);
}

// The music is recognised by content: an Ogg stream whose first packet is a Vorbis
// identification header, and whose last page ends the stream at least a minute in.
TEST(SoundFiles, MusicIsAnOggVorbisStreamOfAtLeastAMinute) {
    const std::vector<unsigned char> b = readAll("data/sound/0");
    ASSERT_GT(b.size(), 58u);
    ASSERT_EQ(std::memcmp(b.data(), "OggS", 4), 0);
    EXPECT_EQ(b[5] & 0x02, 0x02) << "first page begins the stream";
    const size_t segments = b[26];
    const size_t packet = 27 + segments;
    ASSERT_GT(b.size(), packet + 16);
    ASSERT_EQ(b[packet], 0x01);
    ASSERT_EQ(std::memcmp(b.data() + packet + 1, "vorbis", 6), 0);
    const unsigned channels = b[packet + 11];
    const unsigned long rate = le32(b, packet + 12);
    EXPECT_TRUE(channels == 1 || channels == 2) << channels;
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;

    size_t last = std::string::npos;
    for (size_t at = b.size() - 27; at != 0; --at) {
        if (std::memcmp(b.data() + at, "OggS", 4) == 0) {
            last = at;
            break;
        }
    }
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(b[last + 5] & 0x04, 0x04) << "last page ends the stream";
    unsigned long long granule = 0;
    for (int i = 7; i >= 0; --i) granule = (granule << 8) | b[last + 6 + i];
    const double seconds = static_cast<double>(granule) / static_cast<double>(rate);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LT(seconds, 240.0);
}

}  // namespace
