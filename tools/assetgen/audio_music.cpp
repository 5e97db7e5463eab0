// audio_music.cpp: the theme tune. A chiptune-style arrangement in C major at 128 BPM:
// intro, A, B, a short breakdown, A again with a doubled lead, and an ending.
// Voices: a 25% pulse lead with delayed vibrato and a soft echo, a square arpeggio,
// a triangle bass and synthesised drums. About 65 seconds.
#include "audio_music.h"

#include "audio_dsp.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace audio {
namespace {

constexpr double BPM = 128.0;
constexpr double BEAT = 60.0 / BPM;
constexpr double BAR = 4.0 * BEAT;
constexpr double EIGHTH = BEAT / 2.0;
constexpr double SIXTEENTH = BEAT / 4.0;
constexpr double TAIL = 1.4;  // ring-out after the last bar

enum class Drums { Light, Full, Fill, Drive, Final };

struct Bar {
    const char* chords;  // one chord, or two separated by a space (one per half bar)
    const char* lead;    // eight eighth-note slots: a note name, '-' hold, '.' rest; "" silent
    Drums drums;
    int bass;            // 0 octave bounce, 1 syncopated, 2 one long note
    float arp;           // arpeggio level, 0 = off
    bool doubled;        // lead doubled an octave below
    bool crash;          // cymbal on the downbeat
};

// clang-format off
const Bar SONG[] = {
    // Intro: rhythm section first, the lead enters with a pickup.
    {"C",    "",                        Drums::Light, 0, 1.0f, false, false},
    {"Am",   "",                        Drums::Light, 0, 1.0f, false, false},
    {"F",    "",                        Drums::Full,  0, 1.0f, false, false},
    {"G",    ". . . . G4 A4 B4 D5",     Drums::Fill,  0, 1.0f, false, false},
    // A
    {"C",    "E5 - G5 - C6 - G5 E5",    Drums::Full,  0, 0.6f, false, true},
    {"Em",   "D5 - E5 G5 - - B4 -",     Drums::Full,  0, 0.6f, false, false},
    {"F",    "A4 - C5 F5 - E5 F5 A5",   Drums::Full,  0, 0.6f, false, false},
    {"G",    "G5 - - F5 D5 - B4 -",     Drums::Full,  0, 0.6f, false, false},
    {"C",    "E5 - G5 - C6 - D6 E6",    Drums::Full,  0, 0.6f, false, false},
    {"Em",   "D6 - B5 - G5 - E5 G5",    Drums::Full,  0, 0.6f, false, false},
    {"F G",  "A5 - F5 A5 G5 - D5 F5",   Drums::Full,  0, 0.6f, false, false},
    {"C",    "E5 - - - C5 - . .",       Drums::Fill,  0, 0.6f, false, false},
    // B: minor colour, longer lines, syncopated bass.
    {"Am",   "C6 - B5 A5 - - E5 -",     Drums::Full,  1, 0.9f, false, true},
    {"F",    "F5 - A5 - C6 - A5 -",     Drums::Full,  1, 0.9f, false, false},
    {"C",    "G5 - - E5 - - C5 E5",     Drums::Full,  1, 0.9f, false, false},
    {"G",    "D5 - G4 - B4 - D5 -",     Drums::Full,  1, 0.9f, false, false},
    {"Am",   "E5 - A5 - B5 - C6 -",     Drums::Full,  1, 0.9f, false, false},
    {"F",    "A5 - - G5 F5 - E5 F5",    Drums::Full,  1, 0.9f, false, false},
    {"D7",   "F#5 - A5 - D6 - C6 A5",   Drums::Full,  1, 0.9f, false, false},
    {"G",    "B5 - A5 G5 F5 - D5 -",    Drums::Fill,  1, 0.9f, false, false},
    // Breakdown: drums and bass build back up into A.
    {"Am",   "",                        Drums::Drive, 1, 1.0f, false, true},
    {"G",    ". . . . G4 A4 B4 D5",     Drums::Fill,  1, 1.0f, false, false},
    // A again, lead doubled.
    {"C",    "E5 - G5 - C6 - G5 E5",    Drums::Full,  0, 0.8f, true, true},
    {"Em",   "D5 - E5 G5 - - B4 -",     Drums::Full,  0, 0.8f, true, false},
    {"F",    "A4 - C5 F5 - E5 F5 A5",   Drums::Full,  0, 0.8f, true, false},
    {"G",    "G5 - - F5 D5 - B4 -",     Drums::Full,  0, 0.8f, true, false},
    {"C",    "E5 - G5 - C6 - D6 E6",    Drums::Full,  0, 0.8f, true, false},
    {"Em",   "D6 - B5 - G5 - E5 G5",    Drums::Full,  0, 0.8f, true, false},
    {"F G",  "A5 - F5 A5 G5 - D5 F5",   Drums::Full,  0, 0.8f, true, false},
    {"C",    "E5 - - - C5 - . .",       Drums::Fill,  0, 0.8f, true, false},
    // Ending.
    {"F",    "A5 - C6 - A5 - F5 -",     Drums::Full,  0, 0.9f, true, true},
    {"G",    "G5 - B5 - D6 - B5 -",     Drums::Full,  0, 0.9f, true, false},
    {"C",    "C6 - - - G5 - E5 -",      Drums::Fill,  0, 0.9f, true, false},
    {"C",    "C6 - - - - - - -",        Drums::Final, 2, 0.0f, true, true},
};
// clang-format on
constexpr int SONG_BARS = static_cast<int>(sizeof(SONG) / sizeof(SONG[0]));

// 16 sixteenth steps per bar: 'x' full hit, 'o' soft hit, '.' nothing.
struct DrumPattern {
    const char* kick;
    const char* snare;
    const char* hat;
    const char* openHat;
};

DrumPattern patternFor(Drums d) {
    switch (d) {
    case Drums::Light: return {"x.......x.......", "................", "x.o.x.o.x.o.x.o.", "................"};
    case Drums::Full:  return {"x.....x.x.......", "....x.......x...", "x.o.x.o.x.o.x...", "..............o."};
    case Drums::Fill:  return {"x.....x.x.......", "....x.......xoxx", "x.o.x.o.x.o.....", "................"};
    case Drums::Drive: return {"x...x...x...x...", "....o.......o...", "xoxoxoxoxoxoxoxo", "................"};
    case Drums::Final: return {"x...............", "................", "................", "................"};
    }
    return {"", "", "", ""};
}

float hitLevel(char c) { return c == 'x' ? 1.0f : (c == 'o' ? 0.55f : 0.0f); }

// Pitch class of a note letter with an optional sharp or flat; *used is set to the
// characters it took.
int pitchClass(const char* s, int len, int* used) {
    static const int PITCH[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int pc = PITCH[s[0] - 'A'];
    int i = 1;
    if (i < len && s[i] == '#') {
        ++pc;
        ++i;
    } else if (i < len && s[i] == 'b') {
        --pc;
        ++i;
    }
    *used = i;
    return pc;
}

// "C#5" -> MIDI note; -1 when the token is not a note.
int parseNote(const char* s, int len) {
    if (len < 2 || s[0] < 'A' || s[0] > 'G') return -1;
    int i = 0;
    const int pc = pitchClass(s, len, &i);
    if (i >= len || s[i] < '0' || s[i] > '9') return -1;
    return (s[i] - '0' + 1) * 12 + pc;
}

// Chord tones from a name like "C", "Am", "D7": root in the octave above middle C,
// then third, fifth, and the octave or the seventh.
struct Chord {
    int tones[4];
};

Chord parseChord(const char* s, int len) {
    int i = 0;
    const int r = 60 + pitchClass(s, len, &i);
    const bool minor = i < len && s[i] == 'm';
    const bool seventh = i < len && s[i] == '7';
    Chord c{};
    c.tones[0] = r;
    c.tones[1] = r + (minor ? 3 : 4);
    c.tones[2] = r + 7;
    c.tones[3] = seventh ? r + 10 : r + 12;
    return c;
}

// Splits "F G" into the chords of the two half bars.
void chordsOfBar(const char* text, Chord out[2]) {
    const char* space = std::strchr(text, ' ');
    if (!space) {
        out[0] = out[1] = parseChord(text, static_cast<int>(std::strlen(text)));
        return;
    }
    out[0] = parseChord(text, static_cast<int>(space - text));
    out[1] = parseChord(space + 1, static_cast<int>(std::strlen(space + 1)));
}

struct Note {
    double start;
    double length;
    float midi;
    float level;
    bool doubled;  // lead only: also played an octave below
};

enum class DrumKind { Kick, Snare, Hat, OpenHat, Crash };

struct Hit {
    double start;
    DrumKind kind;
    float level;
};

struct Score {
    std::vector<Note> lead;
    std::vector<Note> leadDouble;
    std::vector<Note> arp;
    std::vector<Note> bass;
    std::vector<Hit> drums;
};

Score compose() {
    Score sc;
    long current = -1;  // index of the lead note a '-' extends
    for (int b = 0; b < SONG_BARS; ++b) {
        const Bar& bar = SONG[b];
        const double t0 = b * BAR;
        Chord chords[2];
        chordsOfBar(bar.chords, chords);

        // Lead.
        const char* p = bar.lead;
        int slot = 0;
        if (*p == '\0') current = -1;
        while (*p != '\0' && slot < 8) {
            while (*p == ' ') ++p;
            const char* tok = p;
            while (*p != '\0' && *p != ' ') ++p;
            const int len = static_cast<int>(p - tok);
            if (len == 0) break;
            const double t = t0 + slot * EIGHTH;
            if (tok[0] == '-') {
                if (current >= 0) sc.lead[current].length += EIGHTH;
            } else if (tok[0] == '.') {
                current = -1;
            } else {
                const int midi = parseNote(tok, len);
                if (midi >= 0) {
                    // Notes on the beat speak a little louder than the off-beats.
                    const float level = (slot % 2 == 0) ? 1.0f : 0.85f;
                    sc.lead.push_back({t, EIGHTH, static_cast<float>(midi), level, bar.doubled});
                    current = static_cast<long>(sc.lead.size()) - 1;
                }
            }
            ++slot;
        }

        // Arpeggio: up through the chord once per beat.
        if (bar.arp > 0.0f) {
            for (int s = 0; s < 16; ++s) {
                const Chord& c = chords[s / 8];
                const float accent = (s % 4 == 0) ? 1.0f : 0.7f;
                sc.arp.push_back({t0 + s * SIXTEENTH, SIXTEENTH * 0.75,
                                  static_cast<float>(c.tones[s % 4]), bar.arp * accent, false});
            }
        }

        // Bass, two octaves below the chord root.
        static const int SYNC[8] = {0, -1, 0, 7, 12, -1, 7, 12};
        if (bar.bass == 2) {
            sc.bass.push_back({t0, BAR * 0.9, static_cast<float>(chords[0].tones[0] - 24), 1.0f, false});
        } else {
            for (int e = 0; e < 8; ++e) {
                const int root = chords[e / 4].tones[0] - 24;
                int offset = (e % 2 == 0) ? 0 : 12;
                if (bar.bass == 1) offset = SYNC[e];
                if (offset < 0) continue;
                const float level = (e % 2 == 0) ? 1.0f : 0.8f;
                sc.bass.push_back({t0 + e * EIGHTH, EIGHTH * 0.8, static_cast<float>(root + offset), level, false});
            }
        }

        // Drums.
        const DrumPattern dp = patternFor(bar.drums);
        for (int s = 0; s < 16; ++s) {
            const double t = t0 + s * SIXTEENTH;
            if (float l = hitLevel(dp.kick[s]); l > 0) sc.drums.push_back({t, DrumKind::Kick, l});
            if (float l = hitLevel(dp.snare[s]); l > 0) sc.drums.push_back({t, DrumKind::Snare, l});
            if (float l = hitLevel(dp.hat[s]); l > 0) sc.drums.push_back({t, DrumKind::Hat, l});
            if (float l = hitLevel(dp.openHat[s]); l > 0) sc.drums.push_back({t, DrumKind::OpenHat, l});
        }
        if (bar.crash) sc.drums.push_back({t0, DrumKind::Crash, 1.0f});
    }
    // Copied only now, so held notes are doubled at their full length.
    for (const Note& n : sc.lead) {
        if (n.doubled) sc.leadDouble.push_back(n);
    }
    return sc;
}

// Attack, exponential decay towards sustain while the key is held, then release.
float envelope(double t, double gate, double attack, double decay, float sustain, double release) {
    auto held = [&](double u) -> float {
        if (u < attack) return static_cast<float>(u / attack);
        return sustain + (1.0f - sustain) * static_cast<float>(std::exp(-(u - attack) / decay));
    };
    if (t < gate) return held(t);
    return held(gate) * static_cast<float>(std::exp(-(t - gate) / release));
}

struct VoiceShape {
    double attack;
    double decay;
    float sustain;
    double release;
    double gap;  // silence before the next note, so repeated notes articulate
};

enum class Wave { Pulse25, Square, Triangle };

void renderNotes(std::vector<float>& out, const std::vector<Note>& notes, Wave wave, const VoiceShape& shape,
                 float gain, float transpose, bool vibrato, float cutoff, int rate) {
    const double r = rate;
    for (const Note& n : notes) {
        const double gate = std::max(0.01, n.length - shape.gap);
        const double dur = gate + shape.release * 6.0;
        const long first = std::lround(n.start * r);
        const long count = std::lround(dur * r);
        const float baseHz = midiToHz(n.midi + transpose);
        Pulse osc;
        double triPhase = 0.0;
        OnePole lp;
        lp.setCutoff(cutoff, static_cast<float>(rate));
        for (long i = 0; i < count; ++i) {
            const long idx = first + i;
            if (idx >= static_cast<long>(out.size())) break;
            const double t = i / r;
            float hz = baseHz;
            if (vibrato && t > 0.18) {
                // Vibrato fades in after the note has settled: about a sixth of a semitone.
                const double depth = std::min(1.0, (t - 0.18) / 0.2) * 0.16;
                hz *= std::pow(2.0f, static_cast<float>(depth * std::sin(2.0 * PI * 5.5 * t)) / 12.0f);
            }
            float v = 0.0f;
            switch (wave) {
            case Wave::Pulse25: v = osc.sample(hz, 0.25f, static_cast<float>(rate)); break;
            case Wave::Square: v = osc.sample(hz, 0.5f, static_cast<float>(rate)); break;
            case Wave::Triangle:
                v = triangleAt(static_cast<float>(triPhase));
                triPhase += hz / r;
                if (triPhase >= 1.0) triPhase -= 1.0;
                break;
            }
            const float env = envelope(t, gate, shape.attack, shape.decay, shape.sustain, shape.release);
            out[idx] += lp.run(v) * env * gain * n.level;
        }
    }
}

void renderDrums(std::vector<float>& kick, std::vector<float>& snare, std::vector<float>& hats,
                 std::vector<float>& crash, const std::vector<Hit>& hits, int rate) {
    Noise noise(0x5eedf00du);
    const double r = rate;
    for (const Hit& h : hits) {
        const long first = std::lround(h.start * r);
        auto add = [&](std::vector<float>& out, long i, float v) {
            if (first + i < static_cast<long>(out.size())) out[first + i] += v;
        };
        switch (h.kind) {
        case DrumKind::Kick: {
            double phase = 0.0;
            const long n = std::lround(0.3 * r);
            for (long i = 0; i < n; ++i) {
                const double t = i / r;
                const double hz = 48.0 + 110.0 * std::exp(-t / 0.03);
                phase += hz / r;
                const float body = static_cast<float>(std::sin(2.0 * PI * phase) * std::exp(-t / 0.11));
                const float click = noise.next() * static_cast<float>(std::exp(-t / 0.003)) * 0.15f;
                add(kick, i, (body + click) * h.level);
            }
            break;
        }
        case DrumKind::Snare: {
            Biquad bp;
            bp.bandPass(1900.0f, 0.8f, static_cast<float>(rate));
            const long n = std::lround(0.35 * r);
            for (long i = 0; i < n; ++i) {
                const double t = i / r;
                const float rattle = bp.run(noise.next()) * static_cast<float>(std::exp(-t / 0.08)) * 1.6f;
                const float tone = static_cast<float>(std::sin(2.0 * PI * 185.0 * t) * std::exp(-t / 0.045)) * 0.5f;
                add(snare, i, (rattle + tone) * h.level);
            }
            break;
        }
        case DrumKind::Hat:
        case DrumKind::OpenHat: {
            Biquad hp;
            hp.highPass(6500.0f, 0.7f, static_cast<float>(rate));
            const double decay = h.kind == DrumKind::Hat ? 0.022 : 0.11;
            const long n = std::lround(decay * 6.0 * r);
            for (long i = 0; i < n; ++i) {
                const double t = i / r;
                add(hats, i, hp.run(noise.next()) * static_cast<float>(std::exp(-t / decay)) * h.level);
            }
            break;
        }
        case DrumKind::Crash: {
            Biquad hp;
            hp.highPass(3500.0f, 0.7f, static_cast<float>(rate));
            const long n = std::lround(2.2 * r);
            for (long i = 0; i < n; ++i) {
                const double t = i / r;
                const float env = static_cast<float>(std::min(1.0, t / 0.002) * std::exp(-t / 0.55));
                add(crash, i, hp.run(noise.next()) * env * h.level);
            }
            break;
        }
        }
    }
}

// Constant-power pan: -1 left, 0 centre, +1 right.
void panInto(StereoTrack& mix, const std::vector<float>& v, float gain, float pan) {
    const float a = (pan + 1.0f) * PI * 0.25f;
    const float gl = std::cos(a) * gain;
    const float gr = std::sin(a) * gain;
    for (std::size_t i = 0; i < v.size(); ++i) {
        mix.left[i] += v[i] * gl;
        mix.right[i] += v[i] * gr;
    }
}

}  // namespace

StereoTrack renderTheme(int rate, float peakDb) {
    const Score sc = compose();
    const std::size_t total = static_cast<std::size_t>(std::lround((SONG_BARS * BAR + TAIL) * rate));

    std::vector<float> lead(total, 0.0f), leadDouble(total, 0.0f), arp(total, 0.0f), bass(total, 0.0f);
    std::vector<float> kick(total, 0.0f), snare(total, 0.0f), hats(total, 0.0f), crash(total, 0.0f);

    const VoiceShape leadShape{0.005, 0.12, 0.65f, 0.06, 0.02};
    const VoiceShape arpShape{0.002, 0.05, 0.3f, 0.03, 0.0};
    const VoiceShape bassShape{0.003, 0.15, 0.7f, 0.03, 0.0};
    renderNotes(lead, sc.lead, Wave::Pulse25, leadShape, 1.0f, 0.0f, true, 4500.0f, rate);
    renderNotes(leadDouble, sc.leadDouble, Wave::Square, leadShape, 1.0f, -12.0f, true, 3000.0f, rate);
    renderNotes(arp, sc.arp, Wave::Square, arpShape, 1.0f, 0.0f, false, 3500.0f, rate);
    renderNotes(bass, sc.bass, Wave::Triangle, bassShape, 1.0f, 0.0f, false, 2500.0f, rate);
    renderDrums(kick, snare, hats, crash, sc.drums, rate);

    // A soft echo of the lead, three sixteenths late, darker and to the right.
    std::vector<float> echo(total, 0.0f);
    const std::size_t delay = static_cast<std::size_t>(std::lround(3.0 * SIXTEENTH * rate));
    OnePole echoTone;
    echoTone.setCutoff(2500.0f, static_cast<float>(rate));
    for (std::size_t i = delay; i < total; ++i) {
        echo[i] = echoTone.run(lead[i - delay] + 0.35f * echo[i - delay]);
    }

    StereoTrack mix;
    mix.left.assign(total, 0.0f);
    mix.right.assign(total, 0.0f);
    panInto(mix, lead, 0.30f, 0.0f);
    panInto(mix, echo, 0.10f, 0.6f);
    panInto(mix, leadDouble, 0.13f, -0.15f);
    panInto(mix, arp, 0.10f, -0.45f);
    panInto(mix, bass, 0.42f, 0.0f);
    panInto(mix, kick, 0.55f, 0.0f);
    panInto(mix, snare, 0.28f, 0.1f);
    panInto(mix, hats, 0.10f, 0.4f);
    panInto(mix, crash, 0.10f, -0.2f);

    // A mild low-pass over everything takes the edge off the pulse waves.
    OnePole toneL, toneR;
    toneL.setCutoff(7000.0f, static_cast<float>(rate));
    toneR.setCutoff(7000.0f, static_cast<float>(rate));
    for (std::size_t i = 0; i < total; ++i) {
        mix.left[i] = toneL.run(mix.left[i]);
        mix.right[i] = toneR.run(mix.right[i]);
    }

    const float peak = std::max(peakOf(mix.left), peakOf(mix.right));
    const float scale = peak > 0.0f ? dbToGain(peakDb) / peak : 1.0f;
    for (std::size_t i = 0; i < total; ++i) {
        mix.left[i] *= scale;
        mix.right[i] *= scale;
    }
    const int fade = rate / 10;
    fadeEdges(mix.left, 0, fade);
    fadeEdges(mix.right, 0, fade);
    return mix;
}

}  // namespace audio
