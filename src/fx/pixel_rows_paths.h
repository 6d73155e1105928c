// The implementations behind pixel_rows.h, one namespace per instruction
// set; pixel_rows.cpp picks one per call.
#pragma once

#include "fx/simd_level.h"
#include "image/image.h"

#include <cstddef>
#include <cstdint>

#define KELVOR_PIXEL_ROW_PATH                                                                      \
    void addRow(Pixel* target, const Pixel* sampled, std::int32_t count);                          \
    void gatherRow(Pixel* sampled, const Pixel* row, std::int32_t rowLength,                       \
                   const std::int32_t* columns, std::int32_t count, std::uint32_t fade);           \
    void addGatheredRow(Pixel* target, const Pixel* row, std::int32_t rowLength,                   \
                        const std::int32_t* columns, std::int32_t count, std::uint32_t fade);      \
    void blendHalves(Pixel* pixels, Pixel* previous, std::size_t count);                           \
    void brightenBlock3x3(Pixel* topLeft, std::ptrdiff_t stride, const Pixel* amounts);            \
    void placeColumns(Pixel* frame, std::ptrdiff_t frameStride, const Pixel* columns,              \
                      std::ptrdiff_t columnStride, const std::int32_t* from, std::int32_t endRow);

namespace pixel_rows {
namespace portable {
KELVOR_PIXEL_ROW_PATH
}
#if KELVOR_HAS_SSE2
namespace sse2 {
KELVOR_PIXEL_ROW_PATH
}
#endif
#if KELVOR_HAS_AVX2
namespace avx2 {
KELVOR_PIXEL_ROW_PATH
void addSampledRows(Pixel* target, std::ptrdiff_t targetStride, const Pixel* const* sourceRows,
                    std::int32_t rowCount, std::int32_t rowLength, const std::int32_t* columns,
                    std::int32_t count, std::uint32_t fade);
}
#endif
#if KELVOR_HAS_NEON
namespace neon {
KELVOR_PIXEL_ROW_PATH
}
#endif
} // namespace pixel_rows

#undef KELVOR_PIXEL_ROW_PATH
