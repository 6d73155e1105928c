// Small building blocks of the sample synthesis: the rate samples are made
// at, filters, decays and the conversion to 16-bit frames. Only additions,
// products, divisions and square roots, so the results are exact everywhere.
#pragma once

#include <cstdint>
#include <vector>

// Frames per second of every synthesised sample. It is 8363 x 4: a sample
// with relative note +24 plays at exactly this rate on note C-4, so drums play
// as made on C-4, and a waveform with a period of 128 frames sounds C-4.
constexpr double kSynthRate = 33452.0;
constexpr int kRelativeNoteAtSynthRate = 24;

// Frames in the given number of seconds.
int framesFor(double seconds);

// The factor by which a decaying value shrinks per frame so that it falls to
// 1/e in the given time.
double decayPerFrame(double seconds);

// One-pole low-pass filter; high() gives the matching high-pass output.
class OnePole {
public:
    explicit OnePole(double cutoffHz);
    double low(double input);
    double high(double input);

private:
    double coefficient;
    double state = 0.0;
};

// Gentle saturation that stays within -1..1 and is nearly linear near 0.
double softClip(double value);

// Scales the signal to a largest magnitude of 1 and drives it by `drive`
// into softClip: the louder parts are squeezed, so the signal is denser and
// its peaks lower for its loudness.
void saturate(std::vector<double>& signal, double drive);

// One period of a waveform made of harmonics: amplitudes[h] is the sine
// amplitude of harmonic h + 1. `points` frames, starting at phase 0.
std::vector<double> harmonicCycle(int points, const std::vector<double>& amplitudes);

// Scales the signal so that its largest magnitude becomes `peak` (0..1 of
// full scale) and rounds it to 16-bit frames.
std::vector<std::int16_t> toPcm16(const std::vector<double>& signal, double peak);
