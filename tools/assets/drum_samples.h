// Drum sounds made from sine sweeps and noise. Each plays as made on C-4 and
// dies away by itself, so the patterns never need to release them.
#pragma once

#include "xm_module.h"

XmSample makeKick();
XmSample makeSnare();
XmSample makeClosedHat();
XmSample makeOpenHat();
XmSample makeCrash();
