#include "fx/image_blur.h"

ImageBlur::ImageBlur() : redShift(new std::int32_t[256]), greenShift(new std::int32_t[256])
{
    for (int i = 0; i < 256; ++i) {
        redShift[i] = i << 16;
        greenShift[i] = i << 8;
    }
}

void ImageBlur::blur(Image& image) const
{
    const std::int32_t width = image.width();
    const std::int32_t height = image.height();
    Pixel* pixels = image.pixels();
    if (height <= 2 || width <= 2 || pixels == nullptr)
        return;

    const std::int32_t* toRed = redShift.get();
    const std::int32_t* toGreen = greenShift.get();
    for (std::int32_t y = 1; y < height - 1; ++y) {
        Pixel* row = pixels + static_cast<std::ptrdiff_t>(y) * width;
        const Pixel* up = row - width;
        const Pixel* down = row + width;
        for (std::int32_t x = 1; x < width - 1; ++x) {
            // Up and left already hold this pass's results: the pass is in place.
            const Pixel a = up[x];
            const Pixel b = row[x - 1];
            const Pixel c = row[x + 1];
            const Pixel d = down[x];
            const std::uint32_t red = (((a >> 16) & 0xFF) + ((b >> 16) & 0xFF) +
                                       ((c >> 16) & 0xFF) + ((d >> 16) & 0xFF)) >> 2;
            const std::uint32_t green = (((a >> 8) & 0xFF) + ((b >> 8) & 0xFF) +
                                         ((c >> 8) & 0xFF) + ((d >> 8) & 0xFF)) >> 2;
            const std::uint32_t blue = ((a & 0xFF) + (b & 0xFF) + (c & 0xFF) + (d & 0xFF)) >> 2;
            row[x] = static_cast<Pixel>(toRed[red] + toGreen[green]) + blue;
        }
    }
}
