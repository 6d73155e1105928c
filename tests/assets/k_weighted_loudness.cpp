#include "k_weighted_loudness.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace {

// A direct-form biquad with the coefficients BS.1770 gives for 48 kHz.
class Biquad {
public:
    Biquad(double b0, double b1, double b2, double a1, double a2) : b0(b0), b1(b1), b2(b2), a1(a1), a2(a2) {}
    double step(double x)
    {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// The high shelf (the head) followed by the high-pass of the K-weighting.
class KWeighting {
public:
    double step(double x) { return highPass.step(shelf.step(x)); }

private:
    Biquad shelf{1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241, 0.73248077421585};
    Biquad highPass{1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621};
};

double loudnessOf(double meanSquare)
{
    return -0.691 + 10.0 * std::log10(meanSquare);
}

// The mean of the blocks louder than `gate` (LUFS), or 0 when none is.
double gatedMeanSquare(const std::vector<double>& blocks, double gate)
{
    double sum = 0.0;
    std::size_t count = 0;
    for (double block : blocks) {
        if (block > 0.0 && loudnessOf(block) > gate) {
            sum += block;
            ++count;
        }
    }
    return count > 0 ? sum / static_cast<double>(count) : 0.0;
}

} // namespace

double integratedLoudness(const std::vector<float>& interleaved)
{
    constexpr std::size_t kStep = 4800; // 100 ms
    const std::size_t frames = interleaved.size() / 2;
    // Summed K-weighted energy of both channels per 100 ms step.
    std::vector<double> steps(frames / kStep, 0.0);
    KWeighting left;
    KWeighting right;
    for (std::size_t i = 0; i < steps.size() * kStep; ++i) {
        const double l = left.step(interleaved[2 * i]);
        const double r = right.step(interleaved[2 * i + 1]);
        steps[i / kStep] += l * l + r * r;
    }
    std::vector<double> blocks; // mean squares of 400 ms blocks, 75 % overlap
    for (std::size_t s = 0; s + 4 <= steps.size(); ++s)
        blocks.push_back((steps[s] + steps[s + 1] + steps[s + 2] + steps[s + 3]) / (4.0 * kStep));
    const double absolute = gatedMeanSquare(blocks, -70.0);
    if (absolute == 0.0)
        return -std::numeric_limits<double>::infinity();
    return loudnessOf(gatedMeanSquare(blocks, loudnessOf(absolute) - 10.0));
}
