// sounds.cpp: the game's three sounds: the ball's bounce, the explosion of a destroyed
// wall, and the theme tune. All synthesised here, the same bytes on every run.
#include "assetgen.h"
#include "audio_dsp.h"
#include "audio_io.h"
#include "audio_music.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int RATE = 22050;

// The bounce plays every time a ball touches a block, often several times a second,
// so it is short, rounded and quieter than everything else: a pitched "tock" that
// drops a little like a rubber ball, with a faint wooden overtone.
std::vector<float> makeBounce() {
    const int n = static_cast<int>(0.13 * RATE);
    std::vector<float> s(static_cast<std::size_t>(n), 0.0f);
    audio::Noise noise(0xb0b0u);
    audio::OnePole tick;
    tick.setCutoff(2500.0f, RATE);
    double phase = 0.0;
    double overtone = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double hz = 430.0 + 250.0 * std::exp(-t / 0.012);
        phase += hz / RATE;
        overtone += 2.76 * hz / RATE;
        const double body = std::sin(2.0 * audio::PI * phase) * std::exp(-t / 0.032);
        const double wood = 0.25 * std::sin(2.0 * audio::PI * overtone) * std::exp(-t / 0.010);
        const double click = 0.12 * tick.run(noise.next()) * std::exp(-t / 0.002);
        s[static_cast<std::size_t>(i)] = static_cast<float>(body + wood + click);
    }
    audio::fadeEdges(s, RATE / 1000, RATE / 50);  // 1 ms in, 20 ms out
    return s;
}

// A wall blown apart: a low thump under a burst of noise whose brightness falls away,
// a few crackles, and a rumbling tail.
std::vector<float> makeExplosion() {
    const int n = static_cast<int>(1.3 * RATE);
    std::vector<float> s(static_cast<std::size_t>(n), 0.0f);
    audio::Noise noise(0xb00au);
    audio::Biquad blast;
    audio::OnePole rumble;
    rumble.setCutoff(140.0f, RATE);
    double thumpPhase = 0.0;
    float crackle = 0.0f;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / RATE;
        if (i % 32 == 0) {
            // The cutoff sweeps from bright to dull; recomputed in small steps.
            const double cutoff = 250.0 + 3600.0 * std::exp(-t / 0.25);
            blast.lowPass(static_cast<float>(cutoff), 0.9f, RATE);
        }
        const float white = noise.next();
        const double attack = std::min(1.0, t / 0.004);
        const double env = attack * (0.75 * std::exp(-t / 0.16) + 0.25 * std::exp(-t / 0.55));
        const double burst = blast.run(white) * env;
        const double low = rumble.run(white) * 4.0 * attack * std::exp(-t / 0.45);

        const double thumpHz = 38.0 + 45.0 * std::exp(-t / 0.06);
        thumpPhase += thumpHz / RATE;
        const double thump = std::sin(2.0 * audio::PI * thumpPhase) * attack * std::exp(-t / 0.2);

        // Sparse crackles, thinning out as the blast dies.
        if (t < 0.6 && noise.next() > 1.0f - 0.004f * static_cast<float>(std::exp(-t / 0.25))) {
            crackle = 0.6f * noise.next();
        }
        crackle *= 0.93f;

        s[static_cast<std::size_t>(i)] = static_cast<float>(burst + low + 0.9 * thump + crackle);
    }
    // Gentle saturation rounds off the first peaks instead of letting them stick out.
    for (float& v : s) v = std::tanh(v * 1.3f);
    audio::fadeEdges(s, 0, RATE / 12);
    return s;
}

void normalise(std::vector<float>& s, float peakDb) {
    const float peak = audio::peakOf(s);
    if (peak <= 0.0f) return;
    const float g = audio::dbToGain(peakDb) / peak;
    for (float& v : s) v *= g;
}

}  // namespace

bool generateSounds(const std::string& dataDir) {
    const std::string dir = dataDir + "/sound/";

    std::vector<float> bounce = makeBounce();
    normalise(bounce, -8.0f);
    bool ok = audio::writeWav16Mono(dir + "wand.wav", bounce, RATE);

    std::vector<float> explosion = makeExplosion();
    normalise(explosion, -4.0f);
    ok = audio::writeWav16Mono(dir + "bombe_explodiert.wav", explosion, RATE) && ok;

    // Peak left 3 dB below full scale: the Vorbis encoder adds a little overshoot.
    const audio::StereoTrack theme = audio::renderTheme(RATE, -3.0f);
    ok = audio::writeOggVorbis(dir + "0", theme.left, theme.right, RATE, 0.4f, 0x46574c31u, "Fendwall") && ok;
    return ok;
}
