#include "song_parts.h"

#include "instruments.h"
#include "music_theory.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kSetPanning = 0x08;
constexpr std::uint8_t kTonePortamento = 0x03;
// Glide speed: two semitones per tick, so a chord change slides in about
// two ticks.
constexpr std::uint8_t kGlideSpeed = 0x20;

// Every volume the parts ask for is scaled by this, leaving headroom so that
// the loudest moments stay below full scale in common players.
constexpr double kMixLevel = 0.85;

constexpr std::uint8_t kPanLeft = 0x50;
constexpr std::uint8_t kPanRight = 0xB0;

std::uint8_t volumeColumn(int volume)
{
    return static_cast<std::uint8_t>(0x10 + (volume < 0 ? 0 : (volume > 64 ? 64 : volume)));
}

XmEvent play(int midi, Instrument instrument, int volume)
{
    XmEvent e;
    e.note = xmNote(midi);
    e.instrument = instrument;
    e.volume = volumeColumn(static_cast<int>(volume * kMixLevel + 0.5));
    return e;
}

// A drum hit: drums are made to sound on C-4.
XmEvent hit(Instrument instrument, int volume)
{
    return play(60, instrument, volume);
}

XmEvent panned(XmEvent e, std::uint8_t pan)
{
    e.effect = kSetPanning;
    e.parameter = pan;
    return e;
}

XmEvent keyOff()
{
    XmEvent e;
    e.note = kXmKeyOff;
    return e;
}

void writeSnare(SongGrid& grid, int firstRow, SnareStyle style)
{
    for (int bar = 0; bar < kBarsPerSection; ++bar) {
        const int barRow = firstRow + bar * kRowsPerBar;
        if (style == SnareStyle::roll) {
            // Ever denser, louder and higher: half notes, quarters, eighths,
            // sixteenths, rising an octave in pitch over the section.
            const int step = 8 >> bar;
            for (int row = 0; row < kRowsPerBar; row += step) {
                const int progress = bar * kRowsPerBar + row;
                grid.at(barRow + row, kSnareChannel) =
                    play(60 + progress * 12 / kRowsPerSection, kSnare, 14 + progress * 48 / kRowsPerSection);
            }
            continue;
        }
        grid.at(barRow + 4, kSnareChannel) = hit(kSnare, 56);
        grid.at(barRow + 12, kSnareChannel) = hit(kSnare, 56);
        if (style == SnareStyle::backbeatAndFill && bar == kBarsPerSection - 1) {
            const int fillRows[] = {10, 13, 14, 15};
            const int fillVolumes[] = {34, 44, 52, 60};
            for (int i = 0; i < 4; ++i)
                grid.at(barRow + fillRows[i], kSnareChannel) = hit(kSnare, fillVolumes[i]);
        }
    }
}

void writeHats(SongGrid& grid, int firstRow, HatStyle style)
{
    for (int row = 0; row < kRowsPerSection; ++row) {
        const bool offbeat = row % 4 == 2;
        if (style == HatStyle::offbeats && offbeat)
            grid.at(firstRow + row, kHatChannel) = panned(hit(kClosedHat, 40), 0x90);
        if (style == HatStyle::sixteenths) {
            const XmEvent e = offbeat ? hit(kOpenHat, 30) : hit(kClosedHat, row % 2 == 0 ? 30 : 18);
            grid.at(firstRow + row, kHatChannel) = panned(e, 0x90);
        }
    }
}

// A melody as text: notes like "E5:3" (pitch and length in rows) or rests
// "r:2", separated by spaces; "|" marks bars for the reader only.
struct MelodyNote {
    int row;    // from the start of the section
    int pitch;  // MIDI, or -1 for a rest
    int length; // rows
};

std::vector<MelodyNote> parseMelody(const char* text)
{
    std::vector<MelodyNote> notes;
    std::istringstream words(text);
    std::string word;
    int row = 0;
    while (words >> word) {
        const std::size_t colon = word.find(':');
        if (colon == std::string::npos)
            continue;
        const int length = std::stoi(word.substr(colon + 1));
        const std::string name = word.substr(0, colon);
        notes.push_back(MelodyNote{row, name == "r" ? -1 : parsePitch(name), length});
        row += length;
    }
    return notes;
}

// Writes the notes onto one channel; a note followed by a rest, or the last
// note, is released when it ends.
void writeLine(SongGrid& grid, int firstRow, const std::vector<MelodyNote>& notes, int channel, int volume,
               std::uint8_t pan, bool thirdBelow)
{
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const MelodyNote& note = notes[i];
        if (note.pitch < 0)
            continue;
        const int pitch = thirdBelow ? thirdBelowInKey(note.pitch) : note.pitch;
        grid.at(firstRow + note.row, channel) = panned(play(pitch, kLead, volume), pan);
        const bool restFollows = i + 1 == notes.size() || notes[i + 1].pitch < 0;
        if (restFollows)
            grid.at(firstRow + note.row + note.length, channel) = keyOff();
    }
}

} // namespace

void writeDrums(SongGrid& grid, int firstRow, const Section& section)
{
    if (section.kick == KickStyle::fourOnTheFloor) {
        for (int row = 0; row < kRowsPerSection; row += 4)
            grid.at(firstRow + row, kKickChannel) = hit(kKick, 64);
    }
    if (section.snare != SnareStyle::off)
        writeSnare(grid, firstRow, section.snare);
    if (section.hats != HatStyle::off)
        writeHats(grid, firstRow, section.hats);
    if (section.crash)
        grid.at(firstRow, kCrashChannel) = panned(hit(kCrash, 44), 0x70);
}

void writeBass(SongGrid& grid, int firstRow, const Section& section)
{
    for (int bar = 0; bar < kBarsPerSection; ++bar) {
        const int root = bassRoot(section.chords[static_cast<std::size_t>(bar)]);
        const int barRow = firstRow + bar * kRowsPerBar;
        switch (section.bass) {
        case BassStyle::off:
            break;
        case BassStyle::held:
            grid.at(barRow, kBassChannel) = play(root, kBass, 40);
            grid.at(barRow + 14, kBassChannel) = keyOff();
            break;
        case BassStyle::offbeats:
            // Short notes between the kicks, the last one an octave up.
            for (int beat = 0; beat < 4; ++beat) {
                grid.at(barRow + beat * 4 + 2, kBassChannel) = play(beat == 3 ? root + 12 : root, kBass, 50);
                grid.at(barRow + beat * 4 + 3, kBassChannel) = keyOff();
            }
            break;
        case BassStyle::rolling:
            // Three sixteenths after each kick: root, root, octave.
            for (int beat = 0; beat < 4; ++beat) {
                const int beatRow = barRow + beat * 4;
                grid.at(beatRow, kBassChannel) = keyOff();
                grid.at(beatRow + 1, kBassChannel) = play(root, kBass, 38);
                grid.at(beatRow + 2, kBassChannel) = play(root, kBass, 52);
                grid.at(beatRow + 3, kBassChannel) = play(root + 12, kBass, 42);
            }
            break;
        }
    }
}

void writePad(SongGrid& grid, int firstRow, const Section& section, const Section* previous)
{
    constexpr int kPadVolume = 34;
    std::array<int, 3> held{};
    if (previous != nullptr)
        held = padVoicing(previous->chords[kBarsPerSection - 1]);
    for (int bar = 0; bar < kBarsPerSection; ++bar) {
        const std::array<int, 3> chord = padVoicing(section.chords[static_cast<std::size_t>(bar)]);
        const int row = firstRow + bar * kRowsPerBar;
        const bool restart = bar == 0 && previous == nullptr;
        for (int voice = 0; voice < 3; ++voice) {
            const std::uint8_t pan = static_cast<std::uint8_t>(0x60 + voice * 0x20);
            XmEvent& cell = grid.at(row, kPadChannel + voice);
            if (restart) {
                cell = panned(play(chord[static_cast<std::size_t>(voice)], kPad, kPadVolume), pan);
            } else if (chord[static_cast<std::size_t>(voice)] != held[static_cast<std::size_t>(voice)]) {
                cell.note = xmNote(chord[static_cast<std::size_t>(voice)]);
                cell.effect = kTonePortamento;
                cell.parameter = kGlideSpeed;
            }
        }
        held = chord;
    }
}

void writeArpeggio(SongGrid& grid, int firstRow, const Section& section)
{
    // Up and down through the chord over a span of six sixteenths, so the
    // figure drifts against the bar.
    static constexpr int kFigure[] = {0, 1, 2, 3, 2, 1};
    for (int row = 0; row < kRowsPerSection; ++row) {
        const std::array<int, 3> chord = padVoicing(section.chords[static_cast<std::size_t>(row / kRowsPerBar)]);
        const int tones[] = {chord[0] + 12, chord[1] + 12, chord[2] + 12, chord[0] + 24};
        const int tone = tones[kFigure[row % 6]];
        const int volume = row % 4 == 0 ? 30 : 20;
        grid.at(firstRow + row, kArpChannel) = panned(play(tone, kPluck, volume), kPanLeft);
    }
}

void writeMelody(SongGrid& grid, int firstRow, const Section& section)
{
    if (section.melody == nullptr)
        return;
    const std::vector<MelodyNote> notes = parseMelody(section.melody);
    writeLine(grid, firstRow, notes, kLeadChannel, section.melodyVolume, 0x80, false);
    if (section.harmony)
        writeLine(grid, firstRow, notes, kHarmonyChannel, section.melodyVolume * 3 / 5, kPanLeft, true);
}

void writeEcho(SongGrid& grid, int delayRows, double volumeShare)
{
    for (int row = 0; row < grid.rows(); ++row) {
        XmEvent e = grid.at(row, kLeadChannel);
        if (e.note == 0)
            continue;
        if (e.note != kXmKeyOff) {
            const int volume = static_cast<int>((e.volume - 0x10) * volumeShare);
            e = panned(e, kPanRight);
            e.volume = volumeColumn(volume);
        }
        grid.at(row + delayRows, kEchoChannel) = e;
    }
}
