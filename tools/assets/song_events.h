// The cells the parts write: notes at a volume, drum hits, panning and
// releases.
#pragma once

#include "instruments.h"
#include "xm_module.h"

#include <cstdint>

// Panning positions, 0x00 hard left to 0xFF hard right.
constexpr std::uint8_t kPanCentre = 0x80;

// A note (MIDI number) on an instrument at a volume of 0..64.
XmEvent play(int midi, Instrument instrument, int volume);
// A drum hit: drums are made to sound on C-4.
XmEvent hit(Instrument instrument, int volume);
XmEvent panned(XmEvent e, std::uint8_t pan);
XmEvent keyOff();
// The volume column's "set volume" for 0..64, limited to that range.
std::uint8_t volumeColumn(int volume);
