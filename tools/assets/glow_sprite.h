// The sprite of the sprite ring: a small ice-blue core in a faint deep-blue
// halo, fading to black before the picture's border, so that 150 overlapping
// copies draw five distinct glowing strands.
#pragma once

#include "indexed_picture.h"

IndexedPicture makeGlowSprite();
