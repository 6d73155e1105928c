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

// A sine whose pitch falls from base + fall to base, under a burst of
// low-passed noise: kicks and impacts.
struct Thump {
    double seconds;
    double baseHz;
    double fallHz;
    double fallSeconds; // how fast the pitch falls
    double bodySeconds; // how fast the tone dies away
    double noiseCutoffHz;
    double noiseSeconds;
    double noiseLevel;
    std::uint32_t seed;
};

// Driven into the soft clip by `drive`: a squarer, denser body that is as
// loud with a lower peak, and overtones small speakers can play.
std::vector<double> thump(const Thump& shape, double drive)
{
    const int frames = framesFor(shape.seconds);
    std::vector<double> signal(static_cast<std::size_t>(frames));
    NoiseSource noise(shape.seed);
    OnePole noiseFilter(shape.noiseCutoffHz);
    const double fallDecay = decayPerFrame(shape.fallSeconds);
    const double bodyDecay = decayPerFrame(shape.bodySeconds);
    const double noiseDecay = decayPerFrame(shape.noiseSeconds);
    double fall = 1.0;
    double body = 1.0;
    double burst = shape.noiseLevel;
    double phase = 0.0;
    for (int i = 0; i < frames; ++i) {
        phase += (shape.baseHz + shape.fallHz * fall) / kSynthRate;
        const double tone = sineTurns(phase) * body;
        const double air = noiseFilter.low(noise.next()) * burst;
        signal[static_cast<std::size_t>(i)] = softClip(drive * (tone + air) * attack(i, 0.0015));
        fall *= fallDecay;
        body *= bodyDecay;
        burst *= noiseDecay;
    }
    return signal;
}

} // namespace

XmSample makeKick()
{
    // The pitch falls fast from about 170 Hz to 52 Hz, with a short click.
    Thump kick{0.45, 52.0, 120.0, 0.035, 0.17, 3000.0, 0.003, 0.6, 11};
    return oneShot(thump(kick, 2.8), 0.95);
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
        signal[static_cast<std::size_t>(i)] = softClip(2.2 * (0.7 * body + 1.1 * snap) * attack(i, 0.001));
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

XmSample makeImpact()
{
    // Deeper and longer than the kick, from about 150 Hz to 38 Hz, under a
    // louder burst of noise.
    Thump impact{1.6, 38.0, 110.0, 0.09, 0.45, 5000.0, 0.07, 1.0, 89};
    return oneShot(thump(impact, 2.2), 0.95);
}

XmSample makeRiser()
{
    constexpr double kRiserSeconds = 3 * 60.0 / 126.0; // three beats
    const int frames = framesFor(kRiserSeconds);
    std::vector<double> signal(static_cast<std::size_t>(frames));
    NoiseSource noise(97);
    double low = 0.0;
    double lower = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / frames;
        // A two-pole low-pass opening from 300 Hz to about 9 kHz, and the
        // level swelling with it; the last 20 ms fade so it stops cleanly.
        const double w = 6.283185307179586 * (300.0 + 8700.0 * t * t) / kSynthRate;
        const double c = w / (1.0 + w);
        low += c * (noise.next() - low);
        lower += c * (low - lower);
        const double fade = clampValue((frames - i) / (0.02 * kSynthRate), 0.0, 1.0);
        signal[static_cast<std::size_t>(i)] = (low + 0.5 * lower) * (0.05 + 0.95 * t * t) * fade;
    }
    return oneShot(signal, 0.8);
}
