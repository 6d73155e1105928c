// The pixel rows in NEON, which every 64-bit ARM processor has: the
// saturating byte add and subtract (vqaddq_u8, vqsubq_u8) are exactly the
// channel arithmetic, four pixels per instruction. The rows are laid out as
// the SSE2 ones: the top byte is cleared by a mask where the portable code
// clears it, and a row's last vector lies over its last four pixels.
#include "fx/pixel_rows.h"
#include "fx/pixel_rows_paths.h"

#if KELVOR_HAS_NEON

#include <arm_neon.h>

#include <algorithm>

namespace pixel_rows {
namespace neon {

namespace {

inline uint32x4_t channelMask()
{
    return vdupq_n_u32(0x00FFFFFFu);
}

// fade in each of the three channels, 0 in the top byte.
inline uint8x16_t fadeVector(std::uint32_t fade)
{
    return vreinterpretq_u8_u32(vdupq_n_u32(fade * 0x00010101u));
}

inline uint32x4_t load(const Pixel* p)
{
    return vld1q_u32(p);
}
inline void store(Pixel* p, uint32x4_t v)
{
    vst1q_u32(p, v);
}

inline uint8x16_t asBytes(uint32x4_t v)
{
    return vreinterpretq_u8_u32(v);
}
inline uint32x4_t asPixels(uint8x16_t v)
{
    return vreinterpretq_u32_u8(v);
}

// Per channel min(a + b, 255), top byte cleared.
inline uint32x4_t addChannels(uint32x4_t a, uint32x4_t b)
{
    return vandq_u32(asPixels(vqaddq_u8(asBytes(a), asBytes(b))), channelMask());
}

// Per channel max(s - fade, 0); the top byte is what it was less 0.
inline uint32x4_t subtractFade(uint32x4_t s, uint8x16_t fade)
{
    return asPixels(vqsubq_u8(asBytes(s), fade));
}

inline uint32x4_t gather(const Pixel* row, const std::int32_t* columns)
{
    uint32x4_t v = vdupq_n_u32(row[columns[0]]);
    v = vsetq_lane_u32(row[columns[1]], v, 1);
    v = vsetq_lane_u32(row[columns[2]], v, 2);
    return vsetq_lane_u32(row[columns[3]], v, 3);
}

// The lanes of the last remaining pixels of a row, when remaining (1..3)
// pixels are left after the whole vectors: the final vector is laid over
// the row's last four pixels, and only these lanes add anything.
inline uint32x4_t lastLanes(std::int32_t remaining)
{
    const std::int32_t lanes[4] = {0, 1, 2, 3};
    return vcgtq_s32(vld1q_s32(lanes), vdupq_n_s32(3 - remaining));
}

} // namespace

// Rows of four pixels or more end with one vector over their last four
// pixels, which adds 0 to the ones already done: a sum there is already
// saturated with a cleared top byte, so adding 0 changes nothing. Shorter
// rows go pixel by pixel.
void addRow(Pixel* target, const Pixel* sampled, std::int32_t count)
{
    if (count < 4) {
        portable::addRow(target, sampled, count);
        return;
    }
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(target + i, addChannels(load(target + i), load(sampled + i)));
    if (i < count) {
        const std::int32_t j = count - 4;
        const uint32x4_t add = vandq_u32(load(sampled + j), lastLanes(count - i));
        store(target + j, addChannels(load(target + j), add));
    }
}

// The last vector of a row of four or more is laid over its last four
// pixels; the ones already done get the same values again.
void gatherRow(Pixel* sampled, const Pixel* row, std::int32_t rowLength,
               const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    if (count < 4) {
        portable::gatherRow(sampled, row, rowLength, columns, count, fade);
        return;
    }
    const uint32x4_t mask = channelMask();
    const uint8x16_t lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(sampled + i, vandq_u32(subtractFade(gather(row, columns + i), lower), mask));
    if (i < count) {
        const std::int32_t j = count - 4;
        store(sampled + j, vandq_u32(subtractFade(gather(row, columns + j), lower), mask));
    }
}

// As addRow: the last vector adds 0 to the pixels already done. The top
// byte of each sum is masked away, so the lowered source's own top byte
// does not matter.
void addGatheredRow(Pixel* target, const Pixel* row, std::int32_t rowLength,
                    const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    if (count < 4) {
        portable::addGatheredRow(target, row, rowLength, columns, count, fade);
        return;
    }
    const uint8x16_t lower = fadeVector(fade);
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        store(target + i,
              addChannels(load(target + i), subtractFade(gather(row, columns + i), lower)));
    if (i < count) {
        const std::int32_t j = count - 4;
        const uint32x4_t source =
            vandq_u32(subtractFade(gather(row, columns + j), lower), lastLanes(count - i));
        store(target + j, addChannels(load(target + j), source));
    }
}

void blendHalves(Pixel* pixels, Pixel* previous, std::size_t count)
{
    const uint32x4_t halfMask = vdupq_n_u32(0x007F7F7Fu);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const uint32x4_t a = vandq_u32(vshrq_n_u32(load(pixels + i), 1), halfMask);
        const uint32x4_t b = vandq_u32(vshrq_n_u32(load(previous + i), 1), halfMask);
        const uint32x4_t blended = vaddq_u32(a, b);
        store(pixels + i, blended);
        store(previous + i, blended);
    }
    portable::blendHalves(pixels + i, previous + i, count - i);
}

// Each block row is one four-pixel add whose fourth amount is 0, so the
// pixel right of the block is written back as it was; the amounts' top
// bytes are 0, so every pixel keeps its own.
void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts)
{
    const uint32x4_t mask = channelMask();
    Pixel* row = topLeft;
    for (int r = 0; r < 3; ++r, row += stride) {
        const Pixel lanes[4] = {amounts[3 * r], amounts[3 * r + 1], amounts[3 * r + 2], 0};
        const uint32x4_t add = vandq_u32(vld1q_u32(lanes), mask);
        store(row, asPixels(vqaddq_u8(asBytes(load(row)), asBytes(add))));
    }
}

// Four rows of four columns at a time: the four column vectors turned into
// four row vectors. Rows where a column is not to be written take the
// frame's own pixel in that lane; the rows at the end that do not fill a
// block of four go pixel by pixel.
void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,
                  std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow)
{
    std::int32_t first = from[0];
    std::int32_t allFrom = from[0];
    for (std::int32_t c = 1; c < kPlacedColumns; ++c) {
        first = std::min(first, from[c]);
        allFrom = std::max(allFrom, from[c]);
    }
    std::int32_t r = first;
    for (; r + 4 <= endRow; r += 4) {
        for (std::int32_t half = 0; half < kPlacedColumns; half += 4) {
            const Pixel* column = columns + half * columnStride + r;
            // Lanes (0 1 2 3) of c0 c1 pair up as (0 0 2 2) and (1 1 3 3),
            // likewise c2 c3; their halves then make the rows.
            const uint32x4x2_t pairs01 = vtrnq_u32(load(column), load(column + columnStride));
            const uint32x4x2_t pairs23 =
                vtrnq_u32(load(column + 2 * columnStride), load(column + 3 * columnStride));
            const uint32x4_t rows[4] = {
                vcombine_u32(vget_low_u32(pairs01.val[0]), vget_low_u32(pairs23.val[0])),
                vcombine_u32(vget_low_u32(pairs01.val[1]), vget_low_u32(pairs23.val[1])),
                vcombine_u32(vget_high_u32(pairs01.val[0]), vget_high_u32(pairs23.val[0])),
                vcombine_u32(vget_high_u32(pairs01.val[1]), vget_high_u32(pairs23.val[1]))};
            const int32x4_t starts = vld1q_s32(from + half);
            Pixel* target = frame + r * frameStride + half;
            for (std::int32_t i = 0; i < 4; ++i, target += frameStride) {
                if (r + i >= allFrom) {
                    store(target, rows[i]);
                    continue;
                }
                // Lanes whose column starts below this row keep the frame.
                const uint32x4_t keep = vcgtq_s32(starts, vdupq_n_s32(r + i));
                store(target, vbslq_u32(keep, load(target), rows[i]));
            }
        }
    }
    for (; r < endRow; ++r)
        for (std::int32_t c = 0; c < kPlacedColumns; ++c)
            if (r >= from[c])
                frame[r * frameStride + c] = columns[c * columnStride + r];
}

} // namespace neon
} // namespace pixel_rows

#endif
