#include "Sounds.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace {

constexpr double pi = 3.14159265358979323846;

using Signal = std::vector<double>;

Signal silence(double seconds) {
    return Signal(static_cast<std::size_t>(seconds * soundSampleRate), 0.0);
}

double secondsAt(std::size_t sample) {
    return static_cast<double>(sample) / soundSampleRate;
}

// A linear rise over `attackSeconds`, then exponential decay with time
// constant `decaySeconds`.
double strike(double t, double attackSeconds, double decaySeconds) {
    const double rise = std::min(1.0, t / attackSeconds);
    return rise * std::exp(-t / decaySeconds);
}

// A bell-like note from `startSeconds`: the fundamental and a quieter octave
// that dies sooner.
void addNote(Signal& signal, double hertz, double startSeconds, double decaySeconds) {
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = secondsAt(i) - startSeconds;
        if (t < 0.0) {
            continue;
        }
        signal[i] += strike(t, 0.004, decaySeconds) * std::sin(2.0 * pi * hertz * t) +
                     0.3 * strike(t, 0.004, decaySeconds / 2.0) * std::sin(4.0 * pi * hertz * t);
    }
}

// Seeded white noise through two one-pole low-pass filters at `cutoffHertz`,
// shaped by a strike.
void addMuffledNoise(Signal& signal, double cutoffHertz, double decaySeconds, double weight,
                     std::uint64_t seed) {
    Random random(seed);
    const double smoothing = 1.0 - std::exp(-2.0 * pi * cutoffHertz / soundSampleRate);
    double once = 0.0;
    double twice = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        once += smoothing * (random.between(-1.0f, 1.0f) - once);
        twice += smoothing * (once - twice);
        signal[i] += weight * strike(secondsAt(i), 0.003, decaySeconds) * twice;
    }
}

// A sine gliding exponentially from `fromHertz` towards `toHertz`, struck.
void addThud(Signal& signal, double fromHertz, double toHertz, double decaySeconds, double weight) {
    double phase = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = secondsAt(i);
        const double hertz = toHertz + (fromHertz - toHertz) * std::exp(-t / 0.05);
        phase += 2.0 * pi * hertz / soundSampleRate;
        signal[i] += weight * strike(t, 0.002, decaySeconds) * std::sin(phase);
    }
}

// The last few milliseconds fade to nothing, so that no clip ends in a click.
void fadeOutEnd(Signal& signal, double seconds) {
    const std::size_t fade =
        std::min(signal.size(), static_cast<std::size_t>(seconds * soundSampleRate));
    for (std::size_t i = 0; i < fade; ++i) {
        signal[signal.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
    }
}

// Scaled so that the loudest sample is `peak` of full scale, and rounded.
std::vector<std::int16_t> toSamples(const Signal& signal, double peak) {
    double loudest = 0.0;
    for (const double value : signal) {
        loudest = std::max(loudest, std::abs(value));
    }
    const double scale = loudest > 0.0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<std::int16_t> samples(signal.size());
    std::transform(signal.begin(), signal.end(), samples.begin(), [scale](double value) {
        return static_cast<std::int16_t>(std::lround(value * scale));
    });
    return samples;
}

}  // namespace

std::vector<std::int16_t> makePickupChime() {
    Signal signal = silence(0.5);
    addNote(signal, 880.0, 0.0, 0.12);
    addNote(signal, 1318.5, 0.07, 0.15);
    fadeOutEnd(signal, 0.02);
    return toSamples(signal, 0.7);
}

std::vector<std::int16_t> makeFootstep() {
    Signal signal = silence(0.16);
    addMuffledNoise(signal, 900.0, 0.025, 1.0, 0x5eed'f007);
    addThud(signal, 90.0, 55.0, 0.04, 0.6);
    fadeOutEnd(signal, 0.01);
    return toSamples(signal, 0.8);
}

std::vector<std::int16_t> makeBump() {
    Signal signal = silence(0.25);
    addThud(signal, 120.0, 45.0, 0.06, 1.0);
    addMuffledNoise(signal, 300.0, 0.03, 0.4, 0xb0'0b);
    fadeOutEnd(signal, 0.02);
    return toSamples(signal, 0.8);
}

std::vector<std::int16_t> makeHum() {
    Signal signal = silence(1.0);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double t = secondsAt(i);
        const double tremolo = 0.75 + 0.25 * std::sin(2.0 * pi * 3.0 * t);
        signal[i] =
            tremolo * (std::sin(2.0 * pi * 196.0 * t) + 0.5 * std::sin(2.0 * pi * 392.0 * t) +
                       0.25 * std::sin(2.0 * pi * 589.0 * t));
    }
    return toSamples(signal, 0.5);
}
