#include "drum_samples.h"

#include "deterministic_math.h"
#include "synth_dsp.h"

#include <vector>

namespace {

XmSample oneShot(const std::vector<double>& signal, double peak)
{
    XmSample sample;
    sample.data = toPcm16(signal, peak);
    sample.relativeNote = kRelativeNoteAtSynthRate;
    return sample;
}

// A fast rise over the first `seconds`, against clicks at the start.
double attack(int frame, double seconds)
{
    const double t = frame / (seconds * kSynthRate);
    return t < 1.0 ? t : 1.0;
}

// Six detuned square waves at unrelated pitches: the metallic ring of
// cymbals and hats.
double metallic(int frame, double pitchScale)
{
    static const double kPitches[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    double sum = 0.0;
    for (double pitch : kPitches) {
        const double phase = frame * pitch * pitchScale / kSynthRate;
        sum += (phase - static_cast<long long>(phase)) < 0.5 ? 1.0 : -1.0;
    }
    return sum / 6.0;
}

// Hats and cymbals: noise and metal, high-passed twice, decaying.
std::vector<double> cymbal(double seconds, double decaySeconds, double cutoff, double metalShare,
                           std::uint32_t seed)
{
    const int frames = framesFor(seconds);
    std::vector<double> signal(static_cast<std::size_t>(frames));
    NoiseSource noise(seed);
    OnePole first(cutoff);
    OnePole second(cutoff);
    const double decay = decayPerFrame(decaySeconds);
    double level = 1.0;
    for (int i = 0; i < frames; ++i) {
        const double raw = noise.next() * (1.0 - metalShare) + metallic(i, 2.0) * metalShare;
        signal[static_cast<std::size_t>(i)] = second.high(first.high(raw)) * level * attack(i, 0.001);
        level *= decay;
    }
    return signal;
}

} // namespace

XmSample makeKick()
{
    const int frames = framesFor(0.45);
    std::vector<double> signal(static_cast<std::size_t>(frames));
    NoiseSource noise(11);
    OnePole clickFilter(3000.0);
    const double sweepDecay = decayPerFrame(0.035);
    const double bodyDecay = decayPerFrame(0.22);
    const double clickDecay = decayPerFrame(0.003);
    double sweep = 1.0;
    double body = 1.0;
    double click = 1.0;
    double phase = 0.0;
    for (int i = 0; i < frames; ++i) {
        // The pitch falls fast from about 170 Hz to 48 Hz: the thump.
        phase += (48.0 + 120.0 * sweep) / kSynthRate;
        const double tone = sineTurns(phase) * body;
        const double tick = clickFilter.low(noise.next()) * click * 0.6;
        signal[static_cast<std::size_t>(i)] = softClip(1.6 * (tone + tick) * attack(i, 0.0015));
        sweep *= sweepDecay;
        body *= bodyDecay;
        click *= clickDecay;
    }
    return oneShot(signal, 0.95);
}

XmSample makeSnare()
{
    const int frames = framesFor(0.32);
    std::vector<double> signal(static_cast<std::size_t>(frames));
    NoiseSource noise(23);
    OnePole brightness(1800.0);
    OnePole softness(9000.0);
    const double toneDecay = decayPerFrame(0.05);
    const double noiseDecay = decayPerFrame(0.09);
    double tone = 1.0;
    double rattle = 1.0;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kSynthRate;
        const double body = (0.6 * sineTurns(t * 185.0) + 0.35 * sineTurns(t * 330.0)) * tone;
        const double snap = softness.low(brightness.high(noise.next())) * rattle;
        signal[static_cast<std::size_t>(i)] = softClip(1.3 * (0.7 * body + 1.1 * snap) * attack(i, 0.001));
        tone *= toneDecay;
        rattle *= noiseDecay;
    }
    return oneShot(signal, 0.9);
}

XmSample makeClosedHat()
{
    return oneShot(cymbal(0.12, 0.022, 6500.0, 0.4, 37), 0.8);
}

XmSample makeOpenHat()
{
    return oneShot(cymbal(0.5, 0.14, 6000.0, 0.45, 41), 0.8);
}

XmSample makeCrash()
{
    return oneShot(cymbal(1.8, 0.6, 3500.0, 0.35, 53), 0.85);
}
