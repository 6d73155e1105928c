#include "tonal_samples.h"

#include "deterministic_math.h"
#include "synth_dsp.h"

#include <vector>

namespace {

// Frames of one period of C-4 at the synthesis rate.
constexpr int kMiddlePeriod = 128;
// Loop of the detuned sounds: 128 periods of C-4. Oscillators that run 127,
// 128 and 129 periods through it are about 13 cents apart and all meet again
// at the loop point, so the loop is seamless.
constexpr int kChorusLoop = kMiddlePeriod * 128;

// Harmonic amplitudes of a sawtooth, softened above `corner` and cut after
// `count` harmonics so that the highest notes played stay below hearing's
// limit and the mixer's.
std::vector<double> sawHarmonics(int count, double corner)
{
    std::vector<double> amplitudes(static_cast<std::size_t>(count));
    for (int h = 1; h <= count; ++h) {
        const double soften = 1.0 / (1.0 + (h / corner) * (h / corner));
        amplitudes[static_cast<std::size_t>(h - 1)] = soften / h;
    }
    return amplitudes;
}

// Like sawHarmonics, odd harmonics only: a softened square wave.
std::vector<double> squareHarmonics(int count, double corner)
{
    std::vector<double> amplitudes = sawHarmonics(count, corner);
    for (std::size_t i = 1; i < amplitudes.size(); i += 2)
        amplitudes[i] = 0.0;
    return amplitudes;
}

// A looped sample of whole periods starting at phase 0.
XmSample looped(const std::vector<double>& signal, double peak, int relativeNote)
{
    XmSample sample;
    sample.data = toPcm16(signal, peak);
    sample.loopStart = 0;
    sample.loopLength = static_cast<std::uint32_t>(signal.size());
    sample.relativeNote = static_cast<std::int8_t>(relativeNote);
    return sample;
}

// Reads a one-period table of kChorusLoop points at `cycles` periods per
// loop, starting `offset` points into it: whole-number steps through the
// table, so no interpolation is needed.
double chorusVoice(const std::vector<double>& cycle, int frame, int cycles, int offset = 0)
{
    const long long at = (static_cast<long long>(frame) * cycles + offset) % kChorusLoop;
    return cycle[static_cast<std::size_t>(at)];
}

} // namespace

XmSample makeBass()
{
    // One period four times as long as C-4's (C-2), so that low notes are
    // played from plenty of frames; 24 semitones more make C-4 sound C-4.
    const int period = kMiddlePeriod * 4;
    std::vector<double> amplitudes = sawHarmonics(40, 7.0);
    amplitudes[0] += 0.25; // a round sub under the saw
    // Saturated: a denser tone whose peaks stay low, so the bass is heard
    // loud without taking the mix's headroom.
    std::vector<double> cycle = harmonicCycle(period, amplitudes);
    saturate(cycle, 2.4);
    return looped(cycle, 0.9, kRelativeNoteAtSynthRate + 24);
}

XmSample makePad()
{
    const std::vector<double> saw = harmonicCycle(kChorusLoop, sawHarmonics(24, 10.0));
    const std::vector<double> sub = harmonicCycle(kChorusLoop, {1.0});
    std::vector<double> signal(kChorusLoop);
    for (int i = 0; i < kChorusLoop; ++i) {
        // The three voices start half and a quarter of a period apart: as
        // they drift, two of them line up now and then, never all three, so
        // the pad's peaks stay low for its loudness.
        signal[static_cast<std::size_t>(i)] = chorusVoice(saw, i, 127) + chorusVoice(saw, i, 128, kChorusLoop / 2) +
                                              chorusVoice(saw, i, 129, kChorusLoop / 4) +
                                              0.35 * chorusVoice(sub, i, 64);
    }
    saturate(signal, 1.6);
    return looped(signal, 0.98, kRelativeNoteAtSynthRate);
}

XmSample makeLead()
{
    // Bright: the harmonics that fall in 2-6 kHz for the lead's notes are
    // hardly softened; fifteen of them keep its highest notes below 20 kHz.
    // Harmonics 3 to 7, which fall in 2-6 kHz around A5, are lifted further.
    std::vector<double> sawAmplitudes = sawHarmonics(15, 16.0);
    std::vector<double> squareAmplitudes = squareHarmonics(15, 16.0);
    for (std::size_t h = 2; h < 7; ++h) {
        sawAmplitudes[h] *= 1.7;
        squareAmplitudes[h] *= 1.7;
    }
    const std::vector<double> saw = harmonicCycle(kChorusLoop, sawAmplitudes);
    const std::vector<double> square = harmonicCycle(kChorusLoop, squareAmplitudes);
    std::vector<double> signal(kChorusLoop);
    for (int i = 0; i < kChorusLoop; ++i)
        signal[static_cast<std::size_t>(i)] = chorusVoice(saw, i, 128) + 0.8 * chorusVoice(square, i, 129);
    // Lightly saturated: the lifted harmonics make sharp peaks that say
    // little to the ear but would cost the mix its headroom.
    saturate(signal, 1.5);
    return looped(signal, 0.98, kRelativeNoteAtSynthRate);
}

XmSample makePluck()
{
    // Twelve harmonics, the higher ones quieter and dying sooner, as on a
    // plucked string, yet bright at the start; a touch of noise for the pick.
    const int frames = framesFor(0.8);
    constexpr int kPartials = 12;
    std::vector<double> signal(static_cast<std::size_t>(frames), 0.0);
    for (int h = 1; h <= kPartials; ++h) {
        const double decay = decayPerFrame(0.45 / (1.0 + 0.25 * (h - 1)));
        double level = 1.0 / (h * (1.0 + 0.04 * h));
        for (int i = 0; i < frames; ++i) {
            const long long phase = (static_cast<long long>(h) * i) % kMiddlePeriod;
            signal[static_cast<std::size_t>(i)] += level * sineTurns(static_cast<double>(phase) / kMiddlePeriod);
            level *= decay;
        }
    }
    NoiseSource noise(71);
    OnePole pick(7000.0);
    const double pickDecay = decayPerFrame(0.004);
    double pickLevel = 0.3;
    for (int i = 0; i < frames; ++i) {
        signal[static_cast<std::size_t>(i)] += pick.low(noise.next()) * pickLevel;
        pickLevel *= pickDecay;
    }
    XmSample sample;
    sample.data = toPcm16(signal, 0.98);
    sample.relativeNote = kRelativeNoteAtSynthRate;
    return sample;
}
