// The landscape picture: 256 x 256, tiling seamlessly. The show reads the
// heights from its blue channel and paints the land with its colours, both
// after blurring it twice. Each palette index stands for a height band and a
// light level (index = 4 x band + level) and its blue is the index itself, so
// blue is the height; red and green paint the band (dark green valleys,
// grey-green slopes, blue-grey rock, pale ice on the peaks) as lit by a low
// sun. Heights and light are dithered between neighbouring indices, which
// the show's blur turns back into smooth heights and smooth shading.
#pragma once

#include "indexed_picture.h"

constexpr int kTerrainSize = 256;
constexpr int kTerrainLightLevels = 4;

IndexedPicture makeTerrainMap();
