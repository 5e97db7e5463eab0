// audio_dsp.h: the small synthesis kit the sound generator builds its sounds from.
// Everything is deterministic: noise comes from a seeded generator, never the clock.
#pragma once
#include <cstdint>
#include <vector>

namespace audio {

constexpr float PI = 3.14159265358979f;

// xorshift32: same numbers on every run and every machine.
struct Noise {
    std::uint32_t state;
    explicit Noise(std::uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    float next();  // uniform in [-1, 1)
};

// Band-limited pulse (duty 0..1, 0.5 = square). PolyBLEP smooths each edge so high notes
// do not fold back into the audible range as harsh aliasing.
struct Pulse {
    float phase = 0.0f;
    float sample(float freq, float duty, float rate);
};

// Triangle: its harmonics fall off fast enough that the naive form is clean for bass.
float triangleAt(float phase);

// One-pole low-pass: a gentle 6 dB/octave roll-off.
struct OnePole {
    float state = 0.0f;
    float coef = 0.0f;
    void setCutoff(float hz, float rate);
    float run(float x);
};

// RBJ biquad, used for the resonant and steeper shapes.
struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void lowPass(float hz, float q, float rate);
    void highPass(float hz, float q, float rate);
    void bandPass(float hz, float q, float rate);
    float run(float x);
};

float midiToHz(float note);
float dbToGain(float db);

// Peak and RMS of a buffer, in linear units.
float peakOf(const std::vector<float>& s);
float rmsOf(const std::vector<float>& s);

// Short cosine fades so a sound never starts or stops with a click.
void fadeEdges(std::vector<float>& s, int fadeInSamples, int fadeOutSamples);

}  // namespace audio
