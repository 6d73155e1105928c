// Writes a frame as an 8-bit RGB PNG through libpng, scaled up by an integer
// factor with nearest-neighbour sampling.
#pragma once

#include <cstdint>
#include <string>

// Written to a temporary name and renamed into place: no half-written file is
// left under the final name. On failure returns false and sets error.
bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int scale, std::string& error);
