#include "particles/particle_field.h"

#include "fx/float_to_int.h"
#include "particles/random15.h"

#include <cstdint>

namespace {

// nextRandom() mod extent. The generator is always advanced; an extent of 0
// (which the show never uses) gives 0 instead of dividing by zero.
std::int32_t randomMod(std::int32_t extent)
{
    const std::int32_t r = nextRandom();
    return extent == 0 ? 0 : r % extent;
}

} // namespace

ParticleField::ParticleField(std::int32_t extent, std::int32_t count)
    : particles(), glow(), particleCount(count > 0 ? count : 0), boxExtent(extent)
{
    if (particleCount == 0)
        return;
    particles.reset(new Particle[static_cast<std::size_t>(particleCount)]);
    const std::int64_t e = extent;
    for (std::int32_t i = 0; i < particleCount; ++i) {
        Particle& p = particles[i];
        // Three draws per particle, in the order x, y, z; 64-bit arithmetic
        // so that no extent can overflow (identical results for the show's).
        p.x = static_cast<float>(2 * static_cast<std::int64_t>(randomMod(extent)) - e);
        p.y = static_cast<float>(2 * static_cast<std::int64_t>(randomMod(extent)) - e);
        p.z = static_cast<float>(randomMod(extent));
    }
}

void ParticleField::draw(const ShadeTables& shades, Image& frame)
{
    const std::int32_t width = frame.width();
    const std::int32_t height = frame.height();

    // Single-precision constants, products in double rounded to float.
    const float xScale =
        static_cast<float>(static_cast<double>(width) * static_cast<double>(0.003125f) * 256.0);
    const float yScale =
        static_cast<float>(static_cast<double>(height) * static_cast<double>(0.005f) * 256.0);
    const float cx = static_cast<float>(width / 2);
    const float cy = static_cast<float>(height / 2);
    const float farEnd = static_cast<float>(boxExtent);
    const float plusE = farEnd;
    const float minusE = -farEnd;
    const std::int32_t extent = boxExtent;

    Particle* const points = particles.get();
    for (std::int32_t i = 0; i < particleCount; ++i) {
        Particle& p = points[i];

        // 1-2: near and far ends. "Not greater than 1" also catches NaN.
        if (!(p.z > 1.0f))
            p.z = farEnd;
        if (p.z > farEnd)
            p.z = 1.0f;

        // 3-6: sides, strict tests, one random depth per crossing.
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

        // 7: projection in double precision, each result stored as float.
        const double inv = 1.0 / static_cast<double>(p.z);
        const float sx = static_cast<float>(inv * xScale * p.x + cx);
        const float sy = static_cast<float>(inv * p.y * yScale + cy);

        // 8: brightness, never positive.
        std::int32_t intensity = truncToInt(inv * 25600.0 - 255.0);
        if (intensity > 0)
            intensity = 0;

        // 9: the stamp refuses positions at or beyond the frame's edges.
        glow.stamp(truncToInt(sx), truncToInt(sy), shades, intensity, frame);
    }
}

void ParticleField::shift(float dx, float dy, float dz)
{
    Particle* const points = particles.get();
    for (std::int32_t i = 0; i < particleCount; ++i) {
        points[i].x += dx;
        points[i].y += dy;
        points[i].z += dz;
    }
}
