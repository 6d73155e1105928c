// The pitched parts of the piece, each written into the song sheet one
// section at a time: bass, pad chords, arpeggio, the lead's melodies with a
// second voice or a counter-melody, and the echo that trails the lead.
#pragma once

#include "song_grid.h"
#include "song_sections.h"

void writeBass(SongGrid& grid, const PlacedSection& placed);
// The pad starts its chord at the section's pattern start when previous is
// null; otherwise it glides from previous's last chord so that the change is
// seamless.
void writePad(SongGrid& grid, const PlacedSection& placed, const PlacedSection* previous);
void writeArpeggio(SongGrid& grid, const PlacedSection& placed);
void writeMelody(SongGrid& grid, const PlacedSection& placed);
// Makes room for the drums: the bass stops on every kick or impact, and the
// pad dips on every kick, impact and snare on a beat (beats start at row beatOrigin)
// and swells back over the next two rows, breathing with the beat.
void makeRoomForDrums(SongGrid& grid, int beatOrigin);
// Copies the lead, later by `delayRows`, quieter and panned to the other
// side, onto the echo channel.
void writeEcho(SongGrid& grid, int delayRows, double volumeShare);
