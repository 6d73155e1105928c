// The glow stamp with two lookups per channel, called once per particle from
// the draw loop that wraps, projects and stamps each point in turn.
#include "support/baseline/baseline.h"

#include "fx/channel_tables.h"
#include "fx/float_to_int.h"
#include "particles/random15.h"

namespace baseline {
namespace {

constexpr std::int32_t kWeights[9] = {100, 150, 100, 150, 255, 150, 100, 150, 100};
constexpr std::int32_t kLowestIntensity = -356;
constexpr std::int32_t kHighestIntensity = 256;

struct ByteClamp {
    std::uint8_t value[512];
    ByteClamp()
    {
        for (int i = 0; i < 512; ++i)
            value[i] = static_cast<std::uint8_t>(i <= 255 ? i : 255);
    }
};

std::int32_t randomMod(std::int32_t extent)
{
    const std::int32_t r = nextRandom();
    return extent == 0 ? 0 : r % extent;
}

} // namespace

void stamp(std::int32_t x, std::int32_t y, const ShadeTables& shades, std::int32_t intensity,
           Image& target)
{
    static const ByteClamp clampTable;
    const std::int32_t width = target.width();
    const std::int32_t height = target.height();
    if (x < 0 || y < 0 || x > width - 4 || y > height - 4)
        return;

    if (intensity < kLowestIntensity)
        intensity = kLowestIntensity;
    if (intensity > kHighestIntensity)
        intensity = kHighestIntensity;

    const std::int32_t* const red = shades.red.get();
    const std::int32_t* const green = shades.green.get();
    const std::int32_t* const blue = shades.blue.get();
    const std::uint8_t* const clamp = clampTable.value;

    Pixel* row = target.pixels() + static_cast<std::ptrdiff_t>(y) * width + x;
    for (int r = 0; r < 3; ++r, row += width) {
        for (int c = 0; c < 3; ++c) {
            const std::int32_t k = kWeights[3 * r + c] + intensity + 256;
            const Pixel p = row[c];
            const Pixel b = clamp[blue[k] + static_cast<std::int32_t>(p & 0xFFu)];
            const Pixel g = clamp[green[k] + static_cast<std::int32_t>((p >> 8) & 0xFFu)];
            const Pixel rd = clamp[red[k] + static_cast<std::int32_t>((p >> 16) & 0xFFu)];
            row[c] = (p & 0xFF000000u) | (rd << 16) | (g << 8) | b;
        }
    }
}

void drawParticles(ParticleField& field, const ShadeTables& shades, Image& frame)
{
    const std::int32_t width = frame.width();
    const std::int32_t height = frame.height();

    const float xScale =
        static_cast<float>(static_cast<double>(width) * static_cast<double>(0.003125f) * 256.0);
    const float yScale =
        static_cast<float>(static_cast<double>(height) * static_cast<double>(0.005f) * 256.0);
    const float cx = static_cast<float>(width / 2);
    const float cy = static_cast<float>(height / 2);
    const std::int32_t extent = field.extent();
    const float farEnd = static_cast<float>(extent);
    const float plusE = farEnd;
    const float minusE = -farEnd;

    Particle* const points = field.points();
    for (std::int32_t i = 0; i < field.count(); ++i) {
        Particle& p = points[i];

        if (!(p.z > 1.0f))
            p.z = farEnd;
        if (p.z > farEnd)
            p.z = 1.0f;

        if (p.x < minusE) {
            p.z = static_cast<float>(randomMod(extent) + 1);
            p.x = plusE;
        }
        if (p.x > plusE) {
            p.z = static_cast<float>(randomMod(extent) + 1);
            p.x = minusE;
        }
        if (p.y < minusE) {
            p.z = static_cast<float>(randomMod(extent) + 1);
            p.y = plusE;
        }
        if (p.y > plusE) {
            p.z = static_cast<float>(randomMod(extent) + 1);
            p.y = minusE;
        }

        const double inv = 1.0 / static_cast<double>(p.z);
        const float sx = static_cast<float>(inv * xScale * p.x + cx);
        const float sy = static_cast<float>(inv * p.y * yScale + cy);

        std::int32_t intensity = truncToInt(inv * 25600.0 - 255.0);
        if (intensity > 0)
            intensity = 0;

        stamp(truncToInt(sx), truncToInt(sy), shades, intensity, frame);
    }
}

} // namespace baseline
