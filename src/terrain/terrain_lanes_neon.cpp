// The landscape's column walk in NEON, four columns per walk. The doubles go
// two to a register, widened from int exactly; multiply and subtract stay
// two instructions (the build forbids contraction into a fused one), and
// the conversion back truncates toward zero like the scalar casts.
#include "terrain/terrain_lanes.h"

#if KELVOR_HAS_NEON

#include <arm_neon.h>

#include <algorithm>

namespace terrain {

namespace {

constexpr std::int32_t kLanes = 4;
// Samples walked per block.
constexpr std::int32_t kBlockSteps = 32;

// trunc(base - lifted * scale) for two lanes, in double.
inline int32x2_t projectedRows(int32x2_t lifted, float64x2_t base, float64x2_t scale)
{
    const float64x2_t wide = vcvtq_f64_s64(vmovl_s32(lifted));
    return vmovn_s64(vcvtq_s64_f64(vsubq_f64(base, vmulq_f64(wide, scale))));
}

} // namespace

std::int32_t walkLanesNeon(const LaneWalk& walk, LaneSamples& samples)
{
    uint32x4_t x = vld1q_u32(walk.x);
    uint32x4_t y = vld1q_u32(walk.y);
    const uint32x4_t dx = vld1q_u32(walk.dx);
    const uint32x4_t dy = vld1q_u32(walk.dy);
    const uint32x4_t cellMask = vdupq_n_u32(0xFFFF);
    const int32x4_t lift = vdupq_n_s32(walk.smallLift);
    const std::uint32_t laneBitValues[kLanes] = {1, 2, 4, 8};
    const uint32x4_t laneBits = vld1q_u32(laneBitValues);
    int32x4_t top = vdupq_n_s32(walk.bottomRow);
    const std::uint8_t* const heightmap = walk.heightmap;

    // A block of samples at a time: the cells, then their heights one load
    // after another (no lane inserts), then the rows and the running top.
    std::int32_t heights[kBlockSteps * kLanes];
    for (std::int32_t first = 0; first < walk.count; first += kBlockSteps) {
        const std::int32_t steps = std::min(kBlockSteps, walk.count - first);
        std::uint32_t* const cells = samples.cells + first * kLanes;
        for (std::int32_t j = 0; j < steps; ++j) {
            x = vaddq_u32(x, dx);
            y = vaddq_u32(y, dy);
            const int32x4_t cellX = vshrq_n_s32(vreinterpretq_s32_u32(x), 16);
            const int32x4_t cellY = vshrq_n_s32(vreinterpretq_s32_u32(y), 16);
            vst1q_u32(cells + j * kLanes,
                      vandq_u32(vreinterpretq_u32_s32(vaddq_s32(vshlq_n_s32(cellY, 8), cellX)),
                                cellMask));
        }
#pragma GCC unroll 8
        for (std::int32_t k = 0; k < steps * kLanes; ++k)
            heights[k] = heightmap[cells[k]];
        for (std::int32_t j = 0; j < steps; ++j) {
            const std::int32_t i = first + j;
            const int32x4_t lifted = vshlq_n_s32(vaddq_s32(vld1q_s32(heights + j * kLanes), lift), 5);
            const float64x2_t base = vdupq_n_f64(walk.rowBase[i]);
            const float64x2_t scale = vdupq_n_f64(walk.distanceScale[i]);
            const int32x4_t row = vcombine_s32(projectedRows(vget_low_s32(lifted), base, scale),
                                               projectedRows(vget_high_s32(lifted), base, scale));
            vst1q_s32(samples.rows + i * kLanes, row);

            // A sample shows above the lane's top; the top follows the minimum.
            const uint32x4_t shows = vcltq_s32(row, top);
            top = vminq_s32(top, row);
            samples.shows[i] = static_cast<std::uint8_t>(vaddvq_u32(vandq_u32(shows, laneBits)));
            // Every lane done: no later sample can paint.
            if (vmaxvq_s32(top) <= 0) {
                vst1q_s32(samples.tops, top);
                return i + 1;
            }
        }
    }
    vst1q_s32(samples.tops, top);
    return walk.count;
}

} // namespace terrain

#endif
