// The program's icon: the show's emblem glowing on a dark tile with rounded
// corners, the ring and its initial filling the tile and the wings reaching
// out to its edges. Small icons get bolder strokes so that the ring and the
// letter stay readable at 16 pixels.
#pragma once

#include <cstdint>
#include <vector>

struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // red, green, blue, alpha per pixel, top row first
};

// A size x size icon; size from 8 to 1024.
RgbaPicture makeAppIcon(int size);
