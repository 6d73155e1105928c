// ImageBlur: softens an image in place, replacing each inner pixel by the
// average of its four direct neighbours. Working in place from the top left,
// already-softened pixels feed the ones after them, so the blur leans down
// and to the right. The border rows and columns never change. The channels
// are summed side by side inside each pixel word (see packed_channels.h).
#pragma once

#include "image/image.h"

class ImageBlur {
public:
    ImageBlur() = default;
    ImageBlur(const ImageBlur&) = delete;
    ImageBlur& operator=(const ImageBlur&) = delete;

    void blur(Image& image) const;
};
