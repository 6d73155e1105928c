// The landscape picture: 256 x 256, tiling seamlessly. Its palette index is
// the height, and the palette's blue rises with the index, so the show reads
// heights from blue while red and green paint the land by altitude: dark
// valleys, meadows, rock and snow on the peaks.
#pragma once

#include "indexed_picture.h"

constexpr int kTerrainSize = 256;

IndexedPicture makeTerrainMap();
