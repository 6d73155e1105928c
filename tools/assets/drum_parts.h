// The drums of a section, its accent on the first beat and its ending: a
// snare fill, or a gap (after a riser) from which the next section hits.
#pragma once

#include "song_grid.h"
#include "song_sections.h"

void writeDrums(SongGrid& grid, const PlacedSection& placed);
void writeAccent(SongGrid& grid, const PlacedSection& placed);
// Endings change what the other parts wrote, so they come last.
void writeEnding(SongGrid& grid, const PlacedSection& placed);
