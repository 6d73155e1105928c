// What plays in one section of the piece, and where a section lies on the
// song sheet. Sections are counted in beats of four rows (sixteenths); bars
// have four beats, except that a section's last bar may be shorter, so that
// a section can end exactly where the show's next title card enters.
#pragma once

#include <string>

constexpr int kRowsPerBeat = 4;
constexpr int kBeatsPerBar = 4;
constexpr int kRowsPerBar = kRowsPerBeat * kBeatsPerBar;

enum Channel : int {
    kKickChannel = 0,
    kSnareChannel,
    kHatChannel,
    kCrashChannel,
    kImpactChannel, // impacts and risers; the tempo changes of the pickup and the tail
    kBassChannel,
    kPadChannel, // three channels, one per chord tone
    kArpChannel = kPadChannel + 3,
    kLeadChannel,
    kEchoChannel,
    kHarmonyChannel, // a second voice under the lead, or a counter-melody
    kChannelCount,
};

enum class KickStyle { off, fourOnTheFloor, broken };
enum class SnareStyle { off, backbeat, broken, roll };
enum class HatStyle { off, offbeats, sixteenths, eighthsAndOpen };
enum class BassStyle { off, held, offbeats, rolling };
// What lands on the section's first beat.
enum class Accent { none, crash, impact };
// What the section's last beat does: a snare fill that stops a sixteenth
// early, or a gap in which only the pad goes on (after a riser over the
// three beats before it), so that the next section's first beat hits out of
// near silence.
enum class Ending { none, fill, gap, riserAndGap };

struct Section {
    int beats;
    const char* chords; // one per bar, e.g. "Am F C G"; repeated when the section has more bars
    int transpose;      // semitones above the A minor the chords and melodies are written in
    KickStyle kick;
    SnareStyle snare;
    HatStyle hats;
    BassStyle bass;
    bool arpeggio;
    const char* melody;        // the lead's notes, or nullptr
    int melodyVolume;          // 0..64
    const char* counterMelody; // a line of its own on the harmony channel, or nullptr
    bool harmony;              // without a counter-melody: a voice a third below the lead
    Accent accent;
    Ending ending;
};

// A section on the sheet: its first beat starts at firstRow; its pattern may
// start earlier (the song's opening pickup) and end later (the closing tail).
struct PlacedSection {
    const Section* section;
    int firstRow;
    int patternStart;
    int patternEnd;

    int rows() const { return section->beats * kRowsPerBeat; }
    int endRow() const { return firstRow + rows(); }
    int bars() const { return (rows() + kRowsPerBar - 1) / kRowsPerBar; }
    // The chord of a bar of the section, with the section's transposition
    // left to the caller.
    std::string chord(int bar) const;
};
