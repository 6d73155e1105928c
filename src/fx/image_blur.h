// ImageBlur: softens an image in place, replacing each inner pixel by the
// average of its four direct neighbours. Working in place from the top left,
// already-softened pixels feed the ones after them, so the blur leans down
// and to the right. The border rows and columns never change.
#pragma once

#include "image/image.h"

#include <cstdint>
#include <memory>

class ImageBlur {
public:
    ImageBlur();
    ImageBlur(const ImageBlur&) = delete;
    ImageBlur& operator=(const ImageBlur&) = delete;

    void blur(Image& image) const;

private:
    std::unique_ptr<std::int32_t[]> redShift;   // i << 16
    std::unique_ptr<std::int32_t[]> greenShift; // i << 8
};
