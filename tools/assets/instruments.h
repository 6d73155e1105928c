// The module's instruments: the synthesised samples with the envelopes,
// vibrato and levels that make them play as drums, bass, pad, pluck, lead,
// impact and riser.
#pragma once

#include "xm_module.h"

#include <cstdint>
#include <vector>

// Instrument numbers as the patterns use them (1-based).
enum Instrument : std::uint8_t {
    kKick = 1,
    kSnare,
    kClosedHat,
    kOpenHat,
    kCrash,
    kBass,
    kPad,
    kPluck,
    kLead,
    kImpact,
    kRiser,
};

// All instruments, in the order of their numbers.
std::vector<XmInstrument> makeInstruments();
