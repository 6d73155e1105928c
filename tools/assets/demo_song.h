// The show's music: one cycle of the show (8000 frames at 70 per second,
// 114.29 seconds) as fifteen sections of four bars at 126 beats per minute,
// looping seamlessly back to the start.
//
// Sections follow the show's title cards: a pad intro, drums and bass
// building up, the lead's theme arriving with the first card (the name, at
// about 30 s), a second theme for the tagline and the emblem, a breakdown
// under the credits, a build-up, the theme again for the farewell, and an
// outro that thins out into the intro.
#pragma once

#include "xm_module.h"

#include <cstdint>
#include <vector>

XmModule composeDemoSong();

// The song as an XM file.
std::vector<std::uint8_t> makeDemoModule();
