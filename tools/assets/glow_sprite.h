// The sprite of the sprite ring: a soft round glow, white hot in the middle,
// cooling through cyan to deep blue and black before the picture's border.
#pragma once

#include "indexed_picture.h"

IndexedPicture makeGlowSprite();
