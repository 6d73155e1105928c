#include "particles/particle_field.h"

#include "fx/float_to_int.h"
#include "fx/simd_level.h"
#include "particles/random15.h"

#include <algorithm>
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

// Drawn a chunk of particles at a time, in passes: a copy of the chunk one
// array per axis; the wraps and respawns of the strays, which draw from the
// generator in particle order; the projection onto the screen, double
// arithmetic with no branch in a loop over those arrays that the compiler
// vectorises; and the stamps, for the few particles that land inside the
// frame. The stamps only add, so each pass may run over the whole chunk
// before the next.
void ParticleField::draw(const ShadeTables& shades, Image& frame)
{
    const View view = viewOf(frame);
    glow.packShades(shades);
    for (std::int32_t first = 0; first < particleCount; first += kChunk) {
        const std::int32_t count = std::min(kChunk, particleCount - first);
        Particle* const points = particles.get() + first;
        Chunk chunk;
        for (std::int32_t i = 0; i < count; ++i) {
            chunk.x[i] = points[i].x;
            chunk.y[i] = points[i].y;
            chunk.z[i] = points[i].z;
        }
        if (findStrays(count, chunk))
            wrap(points, count, chunk);
        project(count, view, chunk);
        stamp(count, chunk, frame);
    }
}

// The projection constants of a frame: single-precision constants, products
// in double rounded to float. A stamp at (x, y) is drawn when 0 <= x <=
// width - 4 and 0 <= y <= height - 4; for a screen coordinate s that
// truncates to x, that is -1 < s < width - 3, and none is drawn when the
// frame is narrower or lower than 4.
ParticleField::View ParticleField::viewOf(const Image& frame)
{
    const std::int32_t width = frame.width();
    const std::int32_t height = frame.height();
    View view;
    view.xScale =
        static_cast<float>(static_cast<double>(width) * static_cast<double>(0.003125f) * 256.0);
    view.yScale =
        static_cast<float>(static_cast<double>(height) * static_cast<double>(0.005f) * 256.0);
    view.cx = static_cast<float>(width / 2);
    view.cy = static_cast<float>(height / 2);
    const bool room = width >= 4 && height >= 4;
    view.right = room ? static_cast<double>(width) - 3.0 : -1.0;
    view.bottom = room ? static_cast<double>(height) - 3.0 : -1.0;
    return view;
}

// Marks the particles outside the box (or with a depth that is not a
// number) and tells whether there are any; a loop the compiler vectorises.
// Few particles stray in a frame, so most chunks need no wrap at all.
bool ParticleField::findStrays(std::int32_t count, Chunk& chunk) const
{
    const float farEnd = static_cast<float>(boxExtent);
    const float minusE = -farEnd;
    const float* __restrict x = chunk.x;
    const float* __restrict y = chunk.y;
    const float* __restrict z = chunk.z;
    std::int32_t* __restrict stray = chunk.stray;
    std::int32_t any = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        stray[i] = !(z[i] > 1.0f) | (z[i] > farEnd) | (x[i] < minusE) | (x[i] > farEnd) |
                   (y[i] < minusE) | (y[i] > farEnd);
        any |= stray[i];
    }
    return any != 0;
}

// Brings the strays back into the box, in particle order, and updates the
// chunk's copy. "Not greater than 1" also catches NaN; the side tests are
// strict, with one random depth per crossing, made in this order.
void ParticleField::wrap(Particle* points, std::int32_t count, Chunk& chunk) const
{
    const std::int32_t extent = boxExtent;
    const float farEnd = static_cast<float>(extent);
    const float plusE = farEnd;
    const float minusE = -farEnd;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!chunk.stray[i])
            continue;
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
        chunk.x[i] = p.x;
        chunk.y[i] = p.y;
        chunk.z[i] = p.z;
    }
}

namespace {

#if defined(__GNUC__) || defined(__clang__)
#define KELVOR_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define KELVOR_ALWAYS_INLINE inline
#endif

// Perspective projection in double precision, each screen coordinate stored
// as float, and whether the stamp there is drawn (see viewOf). Written once
// and compiled for the baseline instruction set and for AVX2 (four doubles
// per operation); AVX2 alone brings no fused multiply-add, so both round
// every product and sum exactly as the scalar arithmetic does.
KELVOR_ALWAYS_INLINE void projectPass(std::int32_t count, float xScale, float yScale, float cx,
                                      float cy, double right, double bottom,
                                      const float* __restrict x, const float* __restrict y,
                                      const float* __restrict z, float* __restrict screenX,
                                      float* __restrict screenY, std::int32_t* __restrict inside)
{
    for (std::int32_t i = 0; i < count; ++i) {
        const double inv = 1.0 / static_cast<double>(z[i]);
        const float sx = static_cast<float>(inv * xScale * x[i] + cx);
        const float sy = static_cast<float>(inv * y[i] * yScale + cy);
        screenX[i] = sx;
        screenY[i] = sy;
        const double dx = sx;
        const double dy = sy;
        inside[i] = (dx > -1.0) & (dx < right) & (dy > -1.0) & (dy < bottom);
    }
}

void projectBaseline(std::int32_t count, float xScale, float yScale, float cx, float cy,
                     double right, double bottom, const float* x, const float* y, const float* z,
                     float* screenX, float* screenY, std::int32_t* inside)
{
    projectPass(count, xScale, yScale, cx, cy, right, bottom, x, y, z, screenX, screenY, inside);
}

#if KELVOR_HAS_AVX2
__attribute__((target("avx2"))) void projectAvx2(std::int32_t count, float xScale, float yScale,
                                                 float cx, float cy, double right, double bottom,
                                                 const float* x, const float* y, const float* z,
                                                 float* screenX, float* screenY,
                                                 std::int32_t* inside)
{
    projectPass(count, xScale, yScale, cx, cy, right, bottom, x, y, z, screenX, screenY, inside);
}
#endif

} // namespace

void ParticleField::project(std::int32_t count, const View& view, Chunk& chunk)
{
#if KELVOR_HAS_AVX2
    if (simdLevel() == SimdLevel::avx2) {
        projectAvx2(count, view.xScale, view.yScale, view.cx, view.cy, view.right, view.bottom,
                    chunk.x, chunk.y, chunk.z, chunk.screenX, chunk.screenY, chunk.inside);
        return;
    }
#endif
    projectBaseline(count, view.xScale, view.yScale, view.cx, view.cy, view.right, view.bottom,
                    chunk.x, chunk.y, chunk.z, chunk.screenX, chunk.screenY, chunk.inside);
}

// Stamps the particles inside the frame: first their list, made without a
// branch per particle, then one stamp each. The positions convert exactly
// (they lie inside the frame); the brightness, never positive, comes from
// the same division as the projection's.
void ParticleField::stamp(std::int32_t count, const Chunk& chunk, Image& frame) const
{
    std::int32_t shown[kChunk];
    std::int32_t shownCount = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        shown[shownCount] = i;
        shownCount += chunk.inside[i];
    }
    for (std::int32_t k = 0; k < shownCount; ++k) {
        const std::int32_t i = shown[k];
        const double inv = 1.0 / static_cast<double>(chunk.z[i]);
        const std::int32_t intensity = std::min(truncToInt(inv * 25600.0 - 255.0), 0);
        glow.stampPacked(static_cast<std::int32_t>(chunk.screenX[i]),
                         static_cast<std::int32_t>(chunk.screenY[i]), intensity, frame);
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
