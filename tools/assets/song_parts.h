// The parts of the piece, each written into the song sheet one section (four
// bars of sixteen rows) at a time: drums, bass, pad chords, arpeggio and
// melodies, plus the echo that trails the lead.
#pragma once

#include "song_grid.h"

#include <array>

constexpr int kRowsPerBar = 16;
constexpr int kBarsPerSection = 4;
constexpr int kRowsPerSection = kRowsPerBar * kBarsPerSection;

enum Channel : int {
    kKickChannel = 0,
    kSnareChannel,
    kHatChannel,
    kCrashChannel,
    kBassChannel,
    kPadChannel, // three channels, one per chord tone
    kArpChannel = kPadChannel + 3,
    kLeadChannel,
    kEchoChannel,
    kHarmonyChannel,
    kChannelCount,
};

enum class KickStyle { off, fourOnTheFloor };
enum class SnareStyle { off, backbeat, backbeatAndFill, roll };
enum class HatStyle { off, offbeats, sixteenths };
enum class BassStyle { off, held, offbeats, rolling };

// What plays in one section.
struct Section {
    std::array<const char*, kBarsPerSection> chords; // one chord per bar
    KickStyle kick;
    SnareStyle snare;
    HatStyle hats;
    BassStyle bass;
    bool arpeggio;
    bool crash;           // a cymbal crash marks the section's start
    const char* melody;   // the lead's notes, or nullptr
    int melodyVolume;     // 0..64
    bool harmony;         // a second voice a third below the lead
};

void writeDrums(SongGrid& grid, int firstRow, const Section& section);
void writeBass(SongGrid& grid, int firstRow, const Section& section);
// The pad restarts its chord when previous is null; otherwise it glides from
// previous's last chord so that the change is seamless.
void writePad(SongGrid& grid, int firstRow, const Section& section, const Section* previous);
void writeArpeggio(SongGrid& grid, int firstRow, const Section& section);
void writeMelody(SongGrid& grid, int firstRow, const Section& section);
// Copies the lead, later by `delayRows`, quieter and panned to the other
// side, onto the echo channel.
void writeEcho(SongGrid& grid, int delayRows, double volumeShare);
