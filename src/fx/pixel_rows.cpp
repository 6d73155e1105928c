// The portable pixel rows, the reference of the others, and the choice of
// path per call.
#include "fx/pixel_rows.h"

#include "fx/packed_channels.h"
#include "fx/pixel_rows_paths.h"

namespace pixel_rows {
namespace portable {

void addRow(Pixel* __restrict target, const Pixel* __restrict sampled, std::int32_t count)
{
    for (std::int32_t i = 0; i < count; ++i)
        target[i] = addSaturated(target[i], sampled[i]);
}

void gatherRow(Pixel* __restrict sampled, const Pixel* __restrict row, std::int32_t,
               const std::int32_t* __restrict columns, std::int32_t count, std::uint32_t fade)
{
    // Without a fade only the top byte changes.
    if (fade == 0) {
        for (std::int32_t i = 0; i < count; ++i)
            sampled[i] = row[columns[i]] & 0x00FFFFFFu;
        return;
    }
    const PackedFade packed(fade);
    for (std::int32_t i = 0; i < count; ++i)
        sampled[i] = lowerChannels(row[columns[i]], packed);
}

void addGatheredRow(Pixel* __restrict target, const Pixel* __restrict row, std::int32_t,
                    const std::int32_t* __restrict columns, std::int32_t count, std::uint32_t fade)
{
    if (fade == 0) {
        for (std::int32_t i = 0; i < count; ++i)
            target[i] = addSaturated(target[i], row[columns[i]]);
        return;
    }
    const PackedFade packed(fade);
    for (std::int32_t i = 0; i < count; ++i)
        target[i] = addSaturated(target[i], lowerChannels(row[columns[i]], packed));
}

// Each channel halved before the sum, so the sum never carries into its
// neighbour.
void blendHalves(Pixel* __restrict pixels, Pixel* __restrict previous, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const Pixel blended = ((pixels[i] >> 1) & 0x7F7F7Fu) + ((previous[i] >> 1) & 0x7F7F7Fu);
        pixels[i] = blended;
        previous[i] = blended;
    }
}

void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts)
{
    Pixel* row = topLeft;
    for (int r = 0; r < 3; ++r, row += stride) {
        for (int c = 0; c < 3; ++c) {
            const Pixel p = row[c];
            row[c] = (p & 0xFF000000u) | addSaturated(p, amounts[3 * r + c]);
        }
    }
}

void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,
                  std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow)
{
    for (std::int32_t c = 0; c < kPlacedColumns; ++c)
        for (std::int32_t r = from[c]; r < endRow; ++r)
            frame[r * frameStride + c] = columns[c * columnStride + r];
}

} // namespace portable
} // namespace pixel_rows

// One switch per row or block: the rows are tens to hundreds of pixels, so
// the choice costs next to nothing.
#if KELVOR_HAS_AVX2
#define KELVOR_AVX2_CASE(call)                                                                     \
    case SimdLevel::avx2:                                                                          \
        pixel_rows::avx2::call;                                                                    \
        return;
#else
#define KELVOR_AVX2_CASE(call)
#endif
#if KELVOR_HAS_SSE2
#define KELVOR_SSE2_CASE(call)                                                                     \
    case SimdLevel::sse2:                                                                          \
        pixel_rows::sse2::call;                                                                    \
        return;
#else
#define KELVOR_SSE2_CASE(call)
#endif
#if KELVOR_HAS_NEON
#define KELVOR_NEON_CASE(call)                                                                     \
    case SimdLevel::neon:                                                                          \
        pixel_rows::neon::call;                                                                    \
        return;
#else
#define KELVOR_NEON_CASE(call)
#endif
#define KELVOR_DISPATCH(call)                                                                      \
    switch (simdLevel()) {                                                                         \
        KELVOR_AVX2_CASE(call)                                                                     \
        KELVOR_SSE2_CASE(call)                                                                     \
        KELVOR_NEON_CASE(call)                                                                     \
    default:                                                                                       \
        pixel_rows::portable::call;                                                                \
    }

void addRow(Pixel* target, const Pixel* sampled, std::int32_t count)
{
    KELVOR_DISPATCH(addRow(target, sampled, count))
}

void gatherRow(Pixel* sampled, const Pixel* row, std::int32_t rowLength,
               const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    KELVOR_DISPATCH(gatherRow(sampled, row, rowLength, columns, count, fade))
}

void addGatheredRow(Pixel* target, const Pixel* row, std::int32_t rowLength,
                    const std::int32_t* columns, std::int32_t count, std::uint32_t fade)
{
    KELVOR_DISPATCH(addGatheredRow(target, row, rowLength, columns, count, fade))
}

void blendHalves(Pixel* pixels, Pixel* previous, std::size_t count)
{
    KELVOR_DISPATCH(blendHalves(pixels, previous, count))
}

void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts)
{
    KELVOR_DISPATCH(brightenBlock3x3(topLeft, stride, amounts))
}

void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,
                  std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow){
    KELVOR_DISPATCH(placeColumns(frame, frameStride, columns, columnStride, from, endRow))}

BlitRows blitRows()
{
    switch (simdLevel()) {
#if KELVOR_HAS_AVX2
    case SimdLevel::avx2:
        return {pixel_rows::avx2::addRow, pixel_rows::avx2::gatherRow,
                pixel_rows::avx2::addGatheredRow, pixel_rows::avx2::addSampledRows};
#endif
#if KELVOR_HAS_SSE2
    case SimdLevel::sse2:
        return {pixel_rows::sse2::addRow, pixel_rows::sse2::gatherRow,
                pixel_rows::sse2::addGatheredRow, nullptr};
#endif
#if KELVOR_HAS_NEON
    case SimdLevel::neon:
        return {pixel_rows::neon::addRow, pixel_rows::neon::gatherRow,
                pixel_rows::neon::addGatheredRow, nullptr};
#endif
    default:
        return {pixel_rows::portable::addRow, pixel_rows::portable::gatherRow,
                pixel_rows::portable::addGatheredRow, nullptr};
    }
}
