#include "image/image.h"

#include <cstring>

Pixel* Image::resize(std::int32_t width, std::int32_t height)
{
    ownedBuffer.reset();
    pixelData = nullptr;
    if (width <= 0 || height <= 0) {
        imageWidth = 0;
        imageHeight = 0;
        return nullptr;
    }
    imageWidth = width;
    imageHeight = height;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    ownedBuffer.reset(new Pixel[count]);
    pixelData = ownedBuffer.get();
    return pixelData;
}

void Image::copyPixelsTo(Pixel* destination) const
{
    if (pixelData == nullptr || destination == nullptr)
        return;
    const std::size_t count = static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight);
    std::memcpy(destination, pixelData, count * sizeof(Pixel));
}
