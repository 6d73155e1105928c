#include "support/test_pictures.h"

#include "image/frame_hash.h"

void fillImage(Image& image, std::int32_t width, std::int32_t height, Pixel value)
{
    image.resize(width, height);
    for (std::int32_t i = 0; i < width * height; ++i)
        image.pixels()[i] = value;
}

std::uint64_t hashPixels(const Pixel* pixels, std::size_t count)
{
    return frameHash(pixels, count);
}
