// The in-place blur one channel at a time through shift tables, and the
// trail blend.
#include "support/baseline/baseline.h"

#include <cstring>

namespace baseline {
namespace {

struct ShiftTables {
    std::int32_t red[256];
    std::int32_t green[256];
    ShiftTables()
    {
        for (int i = 0; i < 256; ++i) {
            red[i] = i << 16;
            green[i] = i << 8;
        }
    }
};

} // namespace

void blur(Image& image)
{
    static const ShiftTables shifts;
    const std::int32_t width = image.width();
    const std::int32_t height = image.height();
    Pixel* pixels = image.pixels();
    if (height <= 2 || width <= 2 || pixels == nullptr)
        return;

    for (std::int32_t y = 1; y < height - 1; ++y) {
        Pixel* row = pixels + static_cast<std::ptrdiff_t>(y) * width;
        const Pixel* up = row - width;
        const Pixel* down = row + width;
        for (std::int32_t x = 1; x < width - 1; ++x) {
            const Pixel a = up[x];
            const Pixel b = row[x - 1];
            const Pixel c = row[x + 1];
            const Pixel d = down[x];
            const std::uint32_t red = (((a >> 16) & 0xFF) + ((b >> 16) & 0xFF) +
                                       ((c >> 16) & 0xFF) + ((d >> 16) & 0xFF)) >> 2;
            const std::uint32_t green = (((a >> 8) & 0xFF) + ((b >> 8) & 0xFF) +
                                         ((c >> 8) & 0xFF) + ((d >> 8) & 0xFF)) >> 2;
            const std::uint32_t blue = ((a & 0xFF) + (b & 0xFF) + (c & 0xFF) + (d & 0xFF)) >> 2;
            row[x] = static_cast<Pixel>(shifts.red[red] + shifts.green[green]) + blue;
        }
    }
}

void blendTrail(Pixel* pixels, Pixel* previous, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = ((pixels[i] >> 1) & 0x7F7F7Fu) + ((previous[i] >> 1) & 0x7F7F7Fu);
    std::memcpy(previous, pixels, count * sizeof(Pixel));
}

} // namespace baseline
