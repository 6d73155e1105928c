// The song's clock: four rows a beat at speed 6 and 126 beats per minute,
// 0.11905 s a row, fitted to one show cycle (8000 frames at 70 per second,
// 240 beats) with every title card on a beat.
//
// The cards enter 0.6 of a beat after a beat of a grid that starts with the
// cycle, so the song opens with a pickup of two rows lasting 0.6 of a beat
// (one row at 90 beats per minute, one at 126) and closes with a tail of two
// rows that lasts what is left of the cycle.
//
// Players count a tick in whole sample frames and round down: at 44.1 kHz a
// tick at 126 is exact, at 48 kHz 0.04 % short, so there the music runs
// ahead, 34 ms by the last card. One row in the gap before the last card is
// made a tick longer (the tail a tick shorter): that card is then 20 ms late
// at 44.1 kHz and 14 ms early at 48 kHz, every card within 30 ms at both.
#pragma once

#include "song_grid.h"

constexpr int kSpeed = 6;
constexpr int kOpeningBeatsPerMinute = 90;
constexpr int kPickupRows = 2;
constexpr int kTailRows = 2;

// Writes the speed and tempo commands: the pickup on the first two rows, the
// longer row at `longRow`, the tail on the last two rows. Each goes into an
// effect column that nothing else uses in that row.
void writeTempo(SongGrid& grid, int longRow);
