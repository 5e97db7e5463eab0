// audio_dsp.cpp: oscillators, filters and measurements for the sound generator.
#include "audio_dsp.h"

#include <algorithm>
#include <cmath>

namespace audio {

float Noise::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

// The residual that turns a hard step at phase 0 into a smooth two-sample ramp.
static float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float Pulse::sample(float freq, float duty, float rate) {
    const float dt = freq / rate;
    float v = phase < duty ? 1.0f : -1.0f;
    v += polyBlep(phase, dt);
    float falling = phase - duty;
    if (falling < 0.0f) falling += 1.0f;
    v -= polyBlep(falling, dt);
    phase += dt;
    if (phase >= 1.0f) phase -= 1.0f;
    // Remove the DC offset a narrow pulse carries, so voices sum around zero.
    return v - (2.0f * duty - 1.0f);
}

float triangleAt(float phase) {
    const float p = phase - std::floor(phase);
    return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
}

void OnePole::setCutoff(float hz, float rate) {
    coef = 1.0f - std::exp(-2.0f * PI * hz / rate);
}

float OnePole::run(float x) {
    state += coef * (x - state);
    return state;
}

void Biquad::lowPass(float hz, float q, float rate) {
    const float w = 2.0f * PI * hz / rate;
    const float alpha = std::sin(w) / (2.0f * q);
    const float c = std::cos(w);
    const float a0 = 1.0f + alpha;
    b0 = (1.0f - c) * 0.5f / a0;
    b1 = (1.0f - c) / a0;
    b2 = b0;
    a1 = -2.0f * c / a0;
    a2 = (1.0f - alpha) / a0;
}

void Biquad::highPass(float hz, float q, float rate) {
    const float w = 2.0f * PI * hz / rate;
    const float alpha = std::sin(w) / (2.0f * q);
    const float c = std::cos(w);
    const float a0 = 1.0f + alpha;
    b0 = (1.0f + c) * 0.5f / a0;
    b1 = -(1.0f + c) / a0;
    b2 = b0;
    a1 = -2.0f * c / a0;
    a2 = (1.0f - alpha) / a0;
}

void Biquad::bandPass(float hz, float q, float rate) {
    const float w = 2.0f * PI * hz / rate;
    const float alpha = std::sin(w) / (2.0f * q);
    const float c = std::cos(w);
    const float a0 = 1.0f + alpha;
    b0 = alpha / a0;
    b1 = 0.0f;
    b2 = -alpha / a0;
    a1 = -2.0f * c / a0;
    a2 = (1.0f - alpha) / a0;
}

float Biquad::run(float x) {
    const float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

float midiToHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }

float dbToGain(float db) { return std::pow(10.0f, db / 20.0f); }

float peakOf(const std::vector<float>& s) {
    float p = 0.0f;
    for (float v : s) p = std::max(p, std::fabs(v));
    return p;
}

float rmsOf(const std::vector<float>& s) {
    if (s.empty()) return 0.0f;
    double sum = 0.0;
    for (float v : s) sum += static_cast<double>(v) * v;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(s.size())));
}

void fadeEdges(std::vector<float>& s, int fadeInSamples, int fadeOutSamples) {
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < fadeInSamples && i < n; ++i) {
        s[i] *= 0.5f - 0.5f * std::cos(PI * static_cast<float>(i) / static_cast<float>(fadeInSamples));
    }
    for (int i = 0; i < fadeOutSamples && i < n; ++i) {
        s[n - 1 - i] *=
            0.5f - 0.5f * std::cos(PI * static_cast<float>(i) / static_cast<float>(fadeOutSamples));
    }
}

}  // namespace audio
