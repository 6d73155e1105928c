// Pictures made for the tests: solid and patterned images, and their
// checksums.
#pragma once

#include "image/image.h"

#include <cstdint>
#include <string>

// An image of the given size with every pixel set to value.
void fillImage(Image& image, std::int32_t width, std::int32_t height, Pixel value);

// The frame checksum (image/frame_hash.h) of count pixels.
std::uint64_t hashPixels(const Pixel* pixels, std::size_t count);
