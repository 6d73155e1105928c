// Drum sounds made from sine sweeps and noise, and the effects that mark the
// show's title cards: an impact (a deep boom under a burst of noise) and a
// riser (noise opening up and swelling over three beats) that leads into a
// drop. Each plays as made on C-4 and dies away by itself, so the patterns
// never need to release them.
#pragma once

#include "xm_module.h"

XmSample makeKick();
XmSample makeSnare();
XmSample makeClosedHat();
XmSample makeOpenHat();
XmSample makeCrash();
XmSample makeImpact();
XmSample makeRiser();
