#include "fx/image_blur.h"

#include "fx/packed_channels.h"

#include <algorithm>
#include <cstdint>

namespace {

// Columns handled per step of a row; wide images take several steps, so the
// buffers of partial sums never need to grow.
constexpr std::int32_t kChunkColumns = 512;

// Blurs pixels first..first+count-1 of one row. Three of the four neighbours
// are known before the walk: the row above already holds this pass's
// results, the right and lower neighbours are still untouched. Their channel
// sums are made for the whole stretch first, in a loop that vectorises.
// Only the left neighbour, written one step before, stays in the sequential
// walk. Each lane sums at most four channels of 255 (1020, ten bits), so the
// red and blue lanes of one word never spill into each other.
void blurStretch(Pixel* row, const Pixel* up, const Pixel* down, std::int32_t first,
                 std::int32_t count)
{
    std::uint32_t partialRedBlue[kChunkColumns];
    std::uint32_t partialGreen[kChunkColumns];
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t x = first + i;
        partialRedBlue[i] = (up[x] & kRedBlueMask) + (row[x + 1] & kRedBlueMask) +
                            (down[x] & kRedBlueMask);
        partialGreen[i] = (up[x] & kGreenMask) + (row[x + 1] & kGreenMask) + (down[x] & kGreenMask);
    }

    std::uint32_t leftRedBlue = row[first - 1] & kRedBlueMask;
    std::uint32_t leftGreen = row[first - 1] & kGreenMask;
    for (std::int32_t i = 0; i < count; ++i) {
        // Quartering each lane: the two bits shifted into a lane's bottom
        // from the lane above are masked away.
        leftRedBlue = ((partialRedBlue[i] + leftRedBlue) >> 2) & kRedBlueMask;
        leftGreen = ((partialGreen[i] + leftGreen) >> 2) & kGreenMask;
        row[first + i] = leftRedBlue | leftGreen;
    }
}

} // namespace

void ImageBlur::blur(Image& image) const
{
    const std::int32_t width = image.width();
    const std::int32_t height = image.height();
    Pixel* pixels = image.pixels();
    if (height <= 2 || width <= 2 || pixels == nullptr)
        return;

    for (std::int32_t y = 1; y < height - 1; ++y) {
        Pixel* row = pixels + static_cast<std::ptrdiff_t>(y) * width;
        // Up and left already hold this pass's results: the pass is in place.
        const Pixel* up = row - width;
        const Pixel* down = row + width;
        for (std::int32_t x = 1; x < width - 1; x += kChunkColumns)
            blurStretch(row, up, down, x, std::min(kChunkColumns, width - 1 - x));
    }
}
