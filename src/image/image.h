// Image: the one picture type. A size and one contiguous block of 32-bit
// pixels (0x00RRGGBB), top row first, no gap between rows, so that effects
// can index it directly and a whole picture copies with one block copy.
#pragma once

#include <cstdint>
#include <memory>

using Pixel = std::uint32_t;

class Image {
public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Replaces the buffer with a new one of width x height pixels, owned by
    // this image. The new pixels are not cleared. A size that is not
    // positive gives an empty image.
    Pixel* resize(std::int32_t width, std::int32_t height);

    std::int32_t width() const { return imageWidth; }
    std::int32_t height() const { return imageHeight; }
    Pixel* pixels() { return pixelData; }
    const Pixel* pixels() const { return pixelData; }

    // Points the image at memory it does not own (the frame surface),
    // keeping the size. Borrowed memory is never freed by the image; the
    // image's own buffer stays alive until the next resize or destruction.
    void setPixels(Pixel* borrowed) { pixelData = borrowed; }

    // Copies width x height pixels to destination, which must hold that many.
    void copyPixelsTo(Pixel* destination) const;

private:
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    Pixel* pixelData = nullptr;
    std::unique_ptr<Pixel[]> ownedBuffer;
};
