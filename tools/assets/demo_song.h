// The show's music: one cycle of the show (8000 frames at 70 per second,
// 114.29 seconds) at 126 beats per minute, looping seamlessly back to the
// start.
//
// Its sections follow the show: a short pad intro, drums and bass building
// up to a drop as the first title card (the name) appears, the theme and its
// reply, a second theme for the tagline and the emblem, a breakdown under
// the credits, a build-up and a second drop into a new key, broken beat and
// counter-melody for the farewell, then a short thinning out into the intro.
// Every card enters on a beat, with a crash or an impact.
#pragma once

#include "xm_module.h"

#include <cstdint>
#include <vector>

XmModule composeDemoSong();

// The song as an XM file.
std::vector<std::uint8_t> makeDemoModule();
