// Writes pictures as 8-bit PNG files through libpng: frames as RGB, scaled
// up by an integer factor with nearest-neighbour sampling, and pictures with
// an alpha channel (icons) as RGBA.
#pragma once

#include <cstdint>
#include <string>

// Both are written to a temporary name and renamed into place: no
// half-written file is left under the final name. On failure they return
// false and set error.

// pixels: 0x00RRGGBB, width x height, top row first.
bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int scale, std::string& error);

// rgba: four bytes a pixel (red, green, blue, alpha), width x height, top
// row first.
bool writeRgbaPng(const std::string& path, const std::uint8_t* rgba, int width, int height,
                  std::string& error);
