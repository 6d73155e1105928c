// The show's screen and landscape map sizes under the short names the pixel
// tests use. Defined here once: a test program compiles its files in
// batches, where a second definition in another file would clash.
#pragma once

#include "scene/show_facts.h"

#include <cstdint>

constexpr std::int32_t kWidth = show::screenWidth;
constexpr std::int32_t kHeight = show::screenHeight;
// The height and colour maps: 256 by 256 cells.
constexpr int kCells = 256 * 256;
