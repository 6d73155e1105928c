#include "song_parts.h"

#include "music_theory.h"
#include "song_events.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t kTonePortamento = 0x03;
// Glide speed: two semitones per tick, so a chord change slides in about
// two ticks.
constexpr std::uint8_t kGlideSpeed = 0x20;

// The pluck and the lead's echo sit on opposite sides, the lead between
// them; the second voice or counter-melody leans to the pluck's side.
constexpr std::uint8_t kPluckPan = 0x20;
constexpr std::uint8_t kEchoPan = 0xE0;
constexpr std::uint8_t kHarmonyPan = 0x48;
// The pad's three voices spread from left to right.
constexpr std::uint8_t kPadPans[] = {0x24, 0xDC, 0x80};
constexpr int kPadVolume = 42;

std::array<int, 3> padChord(const PlacedSection& placed, int bar)
{
    std::array<int, 3> chord = padVoicing(placed.chord(bar));
    for (int& note : chord)
        note += placed.section->transpose;
    return chord;
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

// Writes the notes onto one channel, transposed, within the section; a note
// followed by a rest, or the last note, is released when it ends.
void writeLine(SongGrid& grid, const PlacedSection& placed, const std::vector<MelodyNote>& notes, int channel,
               int volume, std::uint8_t pan, bool thirdBelow)
{
    const int transpose = placed.section->transpose;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const MelodyNote& note = notes[i];
        if (note.pitch < 0 || note.row >= placed.rows())
            continue;
        const int pitch = (thirdBelow ? thirdBelowInKey(note.pitch) : note.pitch) + transpose;
        grid.at(placed.firstRow + note.row, channel) = panned(play(pitch, kLead, volume), pan);
        const bool restFollows = i + 1 == notes.size() || notes[i + 1].pitch < 0;
        if (restFollows && note.row + note.length <= placed.rows())
            grid.at(placed.firstRow + note.row + note.length, channel) = keyOff();
    }
}

bool sounds(const XmEvent& e)
{
    return e.note != 0 && e.note != kXmKeyOff;
}

} // namespace

void writeBass(SongGrid& grid, const PlacedSection& placed)
{
    for (int bar = 0; bar < placed.bars(); ++bar) {
        const int root = bassRoot(placed.chord(bar)) + placed.section->transpose;
        const int barRow = placed.firstRow + bar * kRowsPerBar;
        const int beats = std::min(kBeatsPerBar, (placed.endRow() - barRow) / kRowsPerBeat);
        switch (placed.section->bass) {
        case BassStyle::off:
            break;
        case BassStyle::held:
            grid.at(barRow, kBassChannel) = play(root, kBass, 48);
            grid.at(barRow + beats * kRowsPerBeat - 2, kBassChannel) = keyOff();
            break;
        case BassStyle::offbeats:
            // Short notes between the kicks, the last one an octave up.
            for (int beat = 0; beat < beats; ++beat) {
                grid.at(barRow + beat * 4 + 2, kBassChannel) = play(beat == 3 ? root + 12 : root, kBass, 54);
                grid.at(barRow + beat * 4 + 3, kBassChannel) = keyOff();
            }
            break;
        case BassStyle::rolling:
            // Three sixteenths after each kick: root, root, octave.
            for (int beat = 0; beat < beats; ++beat) {
                const int beatRow = barRow + beat * 4;
                grid.at(beatRow, kBassChannel) = keyOff();
                grid.at(beatRow + 1, kBassChannel) = play(root, kBass, 42);
                grid.at(beatRow + 2, kBassChannel) = play(root, kBass, 50);
                grid.at(beatRow + 3, kBassChannel) = play(root + 12, kBass, 46);
            }
            break;
        }
    }
}

void writePad(SongGrid& grid, const PlacedSection& placed, const PlacedSection* previous)
{
    std::array<int, 3> held{};
    if (previous != nullptr)
        held = padChord(*previous, previous->bars() - 1);
    for (int bar = 0; bar < placed.bars(); ++bar) {
        const std::array<int, 3> chord = padChord(placed, bar);
        const bool restart = bar == 0 && previous == nullptr;
        const int row = restart ? placed.patternStart : placed.firstRow + bar * kRowsPerBar;
        for (std::size_t voice = 0; voice < 3; ++voice) {
            XmEvent& cell = grid.at(row, kPadChannel + static_cast<int>(voice));
            if (restart) {
                cell = panned(play(chord[voice], kPad, kPadVolume), kPadPans[voice]);
            } else if (chord[voice] != held[voice]) {
                cell.note = xmNote(chord[voice]);
                cell.effect = kTonePortamento;
                cell.parameter = kGlideSpeed;
            }
        }
        held = chord;
    }
}

void writeArpeggio(SongGrid& grid, const PlacedSection& placed)
{
    if (!placed.section->arpeggio)
        return;
    // Up and down through the chord over a span of six sixteenths, so the
    // figure drifts against the bar.
    static constexpr int kFigure[] = {0, 1, 2, 3, 2, 1};
    for (int row = 0; row < placed.rows(); ++row) {
        const std::array<int, 3> chord = padChord(placed, row / kRowsPerBar);
        const int tones[] = {chord[0] + 12, chord[1] + 12, chord[2] + 12, chord[0] + 24};
        const int tone = tones[kFigure[row % 6]];
        const int volume = row % 4 == 0 ? 50 : 40;
        grid.at(placed.firstRow + row, kArpChannel) = panned(play(tone, kPluck, volume), kPluckPan);
    }
}

void writeMelody(SongGrid& grid, const PlacedSection& placed)
{
    const Section& section = *placed.section;
    if (section.melody != nullptr) {
        const std::vector<MelodyNote> notes = parseMelody(section.melody);
        writeLine(grid, placed, notes, kLeadChannel, section.melodyVolume, kPanCentre, false);
        if (section.harmony && section.counterMelody == nullptr)
            writeLine(grid, placed, notes, kHarmonyChannel, section.melodyVolume * 2 / 5, kHarmonyPan, true);
    }
    if (section.counterMelody != nullptr)
        writeLine(grid, placed, parseMelody(section.counterMelody), kHarmonyChannel, section.melodyVolume / 2,
                  kHarmonyPan, false);
}

void makeRoomForDrums(SongGrid& grid, int beatOrigin)
{
    constexpr std::uint8_t kVolumeSlideUp = 0x70;
    for (int row = 0; row < grid.rows(); ++row) {
        // An impact counts as a kick (it takes the kick's place on accents),
        // a riser does not.
        const XmEvent& impact = grid.at(row, kImpactChannel);
        const bool kick = sounds(grid.at(row, kKickChannel)) || (sounds(impact) && impact.instrument == kImpact);
        const bool onBeat = (row - beatOrigin) % kRowsPerBeat == 0;
        if (kick && sounds(grid.at(row, kBassChannel)))
            grid.at(row, kBassChannel) = keyOff();
        if (!kick && !(onBeat && sounds(grid.at(row, kSnareChannel))))
            continue;
        // Set on the kick, up by 3 a tick over the next row, then back to full.
        const std::uint8_t steps[] = {volumeColumn(kPadVolume * 2 / 5), static_cast<std::uint8_t>(kVolumeSlideUp + 3),
                                      volumeColumn(kPadVolume)};
        for (int voice = 0; voice < 3; ++voice) {
            for (int i = 0; i < 3; ++i) {
                XmEvent& cell = grid.at(row + i, kPadChannel + voice);
                if (cell.volume == 0 || i == 0)
                    cell.volume = steps[i];
            }
        }
    }
}

void writeEcho(SongGrid& grid, int delayRows, double volumeShare)
{
    for (int row = 0; row < grid.rows(); ++row) {
        XmEvent e = grid.at(row, kLeadChannel);
        if (e.note == 0)
            continue;
        if (e.note != kXmKeyOff) {
            const int volume = static_cast<int>((e.volume - 0x10) * volumeShare);
            e = panned(e, kEchoPan);
            e.volume = volumeColumn(volume);
        }
        grid.at(row + delayRows, kEchoChannel) = e;
    }
}
