#include "synth_dsp.h"

#include "deterministic_math.h"

#include <cmath>

int framesFor(double seconds)
{
    return static_cast<int>(seconds * kSynthRate);
}

double decayPerFrame(double seconds)
{
    // exp(-x) for the tiny x here, to well below the 16-bit resolution.
    const double x = 1.0 / (seconds * kSynthRate);
    return 1.0 - x + x * x / 2.0;
}

OnePole::OnePole(double cutoffHz)
{
    const double w = 6.283185307179586 * cutoffHz / kSynthRate;
    coefficient = w / (1.0 + w);
}

double OnePole::low(double input)
{
    state += coefficient * (input - state);
    return state;
}

double OnePole::high(double input)
{
    return input - low(input);
}

double softClip(double value)
{
    const double x = clampValue(value, -3.0, 3.0);
    // A rational fit of tanh, exact at +-3 where it reaches +-1.
    return x * (27.0 + x * x) / (27.0 + 9.0 * x * x);
}

void saturate(std::vector<double>& signal, double drive)
{
    double largest = 0.0;
    for (double v : signal)
        largest = std::fmax(largest, std::fabs(v));
    if (largest == 0.0)
        return;
    for (double& v : signal)
        v = softClip(drive * v / largest);
}

std::vector<double> harmonicCycle(int points, const std::vector<double>& amplitudes)
{
    std::vector<double> cycle(static_cast<std::size_t>(points), 0.0);
    for (std::size_t h = 0; h < amplitudes.size(); ++h) {
        if (amplitudes[h] == 0.0)
            continue;
        const long long harmonic = static_cast<long long>(h) + 1;
        for (int i = 0; i < points; ++i) {
            // Whole-number phase steps keep every harmonic exactly periodic.
            const long long phase = (harmonic * i) % points;
            cycle[static_cast<std::size_t>(i)] += amplitudes[h] * sineTurns(static_cast<double>(phase) / points);
        }
    }
    return cycle;
}

std::vector<std::int16_t> toPcm16(const std::vector<double>& signal, double peak)
{
    double largest = 0.0;
    for (double v : signal)
        largest = std::fmax(largest, std::fabs(v));
    const double scale = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
    std::vector<std::int16_t> frames;
    frames.reserve(signal.size());
    for (double v : signal)
        frames.push_back(static_cast<std::int16_t>(std::lround(v * scale)));
    return frames;
}
