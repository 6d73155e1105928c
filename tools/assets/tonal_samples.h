// Pitched sounds, made so that note C-4 sounds middle C: looped waveforms for
// the bass, pad and lead (their instruments shape them with envelopes), and
// a plucked string that dies away by itself for the arpeggios.
#pragma once

#include "xm_module.h"

XmSample makeBass();
XmSample makePad();
XmSample makeLead();
XmSample makePluck();
