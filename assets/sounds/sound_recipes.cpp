// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

#include "assets/sounds/sound_recipes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace runeshot {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double rate = gameSoundRate;
// 3 dB short of full scale: loud enough over typing, and no sample ever clips.
constexpr double peakLevel = 0.7;

using Signal = std::vector<double>;

std::size_t frameCount(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * rate));
}

// A raised-cosine ramp from 0 to 1: a corner in the level would be heard as a click.
double ramp(double t, double length) {
    if (t <= 0.0) return 0.0;
    if (t >= length) return 1.0;
    return 0.5 - 0.5 * std::cos(pi * t / length);
}

double softEdges(double t, double attack, double release, double total) {
    return ramp(t, attack) * ramp(total - t, release);
}

// Noise from a fixed generator, so that a sound with noise in it is remade exactly.
class Noise {
public:
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
    }

private:
    std::uint32_t state_ = 22222u;
};

Signal shot() {
    constexpr double total = 0.22;
    Signal s(frameCount(total));
    Noise noise;
    double phase = 0.0;
    double softNoise = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        // The pitch dives from a whistle to a thud, the way a ray gun sounds in games.
        const double frequency = 1900.0 * std::pow(250.0 / 1900.0, t / total);
        phase += 2.0 * pi * frequency / rate;
        const double tone =
            std::sin(phase) + 0.35 * std::sin(2.0 * phase) + 0.15 * std::sin(3.0 * phase);
        // A puff of dulled noise at the start gives the shot its crack.
        softNoise += 0.3 * (noise.next() - softNoise);
        const double crack = 0.6 * softNoise * std::exp(-t / 0.012);
        s[i] = (tone * std::exp(-t / 0.08) + crack) * softEdges(t, 0.002, 0.03, total);
    }
    return s;
}

Signal buzzer() {
    constexpr double total = 0.32;
    Signal s(frameCount(total));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        // Two low tones a few hertz apart beat against each other into a buzzer's rasp;
        // the odd harmonics of a square wave, rolled off early so that it does not hurt.
        double value = 0.0;
        for (const double frequency : {140.0, 147.0}) {
            for (int k = 1; k <= 15; k += 2) {
                value += std::sin(2.0 * pi * k * frequency * t) / std::pow(k, 1.4);
            }
        }
        s[i] = value * softEdges(t, 0.01, 0.06, total);
    }
    return s;
}

Signal boing() {
    constexpr double total = 0.6;
    Signal s(frameCount(total));
    double phase = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        // The pitch falls like a plucked spring's and wobbles about its fall as the spring
        // swings, less and less.
        const double glide = 170.0 + 530.0 * std::exp(-t / 0.12);
        const double wobble = 1.0 + 0.1 * std::exp(-t / 0.4) * std::sin(2.0 * pi * 9.0 * t);
        phase += 2.0 * pi * glide * wobble / rate;
        const double tone = std::sin(phase) + 0.25 * std::sin(2.0 * phase);
        s[i] = tone * std::exp(-t / 0.3) * softEdges(t, 0.004, 0.05, total);
    }
    return s;
}

struct Note {
    double start;
    double frequency;
    double decay;
    double level;
};

Signal jingle() {
    constexpr double total = 1.35;
    // A rising arpeggio that comes to rest on the home note over its octave below; each
    // note rings on under the next, like a struck bell.
    constexpr Note notes[] = {
        {0.00, 392.00, 0.18, 0.8}, {0.13, 523.25, 0.18, 0.8}, {0.26, 659.26, 0.18, 0.8},
        {0.42, 523.25, 0.45, 1.0}, {0.42, 261.63, 0.45, 0.6},
    };
    Signal s(frameCount(total));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double value = 0.0;
        for (const Note& note : notes) {
            const double age = t - note.start;
            if (age <= 0.0) continue;
            const double phase = 2.0 * pi * note.frequency * age;
            // The overtones die away faster than the note, as a bell's do.
            const double tone = std::sin(phase) +
                                0.3 * std::sin(2.0 * phase) * std::exp(-age / (note.decay / 2)) +
                                0.08 * std::sin(3.0 * phase) * std::exp(-age / (note.decay / 3));
            value += note.level * tone * std::exp(-age / note.decay) * ramp(age, 0.006);
        }
        s[i] = value * softEdges(t, 0.002, 0.12, total);
    }
    return s;
}

// Takes out any offset from silence (a speaker would jump at the start and end of the
// sound), brings the loudest sample to the peak level and rounds to 16 bits.
std::vector<std::int16_t> finish(Signal s) {
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (double& x : s) {
        const double out = x - previousIn + 0.995 * previousOut;
        previousIn = x;
        previousOut = out;
        x = out;
    }
    // The offset filter rings on for a few milliseconds; these edges bring both ends back
    // to exact silence.
    const double total = static_cast<double>(s.size()) / rate;
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] *= softEdges(static_cast<double>(i) / rate, 0.001, 0.005, total);
    }
    double peak = 0.0;
    for (const double x : s) peak = std::max(peak, std::abs(x));
    std::vector<std::int16_t> samples(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(s[i] / peak * peakLevel * 32767.0));
    }
    return samples;
}

}  // namespace

std::vector<GameSound> makeGameSounds() {
    return {
        {"shooted.wav", finish(shot())},
        {"wrong.wav", finish(buzzer())},
        {"boing.wav", finish(boing())},
        {"theend.wav", finish(jingle())},
    };
}

}  // namespace runeshot
