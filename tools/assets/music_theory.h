// Pitches, chords and the scale of the piece, in MIDI note numbers (60 is
// middle C), and their conversion to the module's note numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// MIDI number of a note name such as "A4", "C#5" or "Bb3"; -1 if malformed.
int parsePitch(const std::string& name);

// The module's number for a MIDI note: C-4 (49) is middle C (60).
std::uint8_t xmNote(int midi);

// A triad named like "Am", "F", "G", "Em", "Dm" or "E": its three pitch
// classes (0 = C), root first. Unknown names give A minor.
std::array<int, 3> chordPitchClasses(const std::string& name);

// The chord's three tones placed between G#3 and G4, lowest first: a close
// voicing in which neighbouring chords share or nearly share their tones.
std::array<int, 3> padVoicing(const std::string& name);

// The chord's root as a bass note between F1 and E2.
int bassRoot(const std::string& name);

// The note a diatonic third below `midi` in A minor (A B C D E F G), for a
// second voice that follows the melody; notes outside the scale go down a
// minor third.
int thirdBelowInKey(int midi);
