#include "drum_parts.h"

#include "song_events.h"

namespace {

// Hats step between left and right, sixteenth by sixteenth (or eighth by
// eighth), so that they move across the stereo image.
constexpr std::uint8_t kHatLeft = 0x30;
constexpr std::uint8_t kHatRight = 0xD0;
constexpr std::uint8_t kCrashPan = 0x68;

// The kick sets the mix's peaks (with the snare on the backbeat) while
// adding little to its loudness, most of it being deep: it stays below full
// volume, and the parts that carry the loudness are raised instead.
constexpr int kKickVolume = 46;

// The channels that fall silent in a gap; the pad goes on.
constexpr int kGapChannels[] = {kKickChannel, kSnareChannel, kHatChannel, kBassChannel, kArpChannel,
                                kLeadChannel, kEchoChannel, kHarmonyChannel};

void writeKick(SongGrid& grid, const PlacedSection& placed)
{
    for (int row = 0; row < placed.rows(); ++row) {
        const int inBar = row % kRowsPerBar;
        const bool onBeat = row % kRowsPerBeat == 0;
        // Broken: the first beat, the "and" of two and of three.
        const bool broken = inBar == 0 || inBar == 6 || inBar == 10;
        if ((placed.section->kick == KickStyle::fourOnTheFloor && onBeat) ||
            (placed.section->kick == KickStyle::broken && broken))
            grid.at(placed.firstRow + row, kKickChannel) = hit(kKick, kKickVolume);
    }
}

// Ever denser, louder and higher over the section: half notes, quarters,
// eighths, sixteenths, rising an octave in pitch.
void writeSnareRoll(SongGrid& grid, const PlacedSection& placed)
{
    const int rows = placed.rows();
    for (int row = 0; row < rows;) {
        grid.at(placed.firstRow + row, kSnareChannel) =
            play(60 + row * 12 / rows, kSnare, 14 + row * 36 / rows);
        const int quarter = row * 4 / rows;
        row += 8 >> quarter;
    }
}

void writeSnare(SongGrid& grid, const PlacedSection& placed)
{
    const SnareStyle style = placed.section->snare;
    if (style == SnareStyle::roll) {
        writeSnareRoll(grid, placed);
        return;
    }
    for (int row = 0; row < placed.rows(); ++row) {
        const int inBar = row % kRowsPerBar;
        if (inBar == 4 || inBar == 12)
            grid.at(placed.firstRow + row, kSnareChannel) = hit(kSnare, 44);
        // Broken: quiet ghost notes around the backbeat.
        else if (style == SnareStyle::broken && (inBar == 7 || inBar == 9 || inBar == 15))
            grid.at(placed.firstRow + row, kSnareChannel) = hit(kSnare, 18);
    }
}

void writeHats(SongGrid& grid, const PlacedSection& placed)
{
    for (int row = 0; row < placed.rows(); ++row) {
        const bool offbeat = row % kRowsPerBeat == 2;
        XmEvent e;
        switch (placed.section->hats) {
        case HatStyle::off:
            return;
        case HatStyle::offbeats:
            if (offbeat)
                e = panned(hit(kClosedHat, 34), (row / kRowsPerBeat) % 2 == 0 ? kHatLeft : kHatRight);
            break;
        case HatStyle::sixteenths:
            e = offbeat ? hit(kOpenHat, 34) : hit(kClosedHat, row % 2 == 0 ? 38 : 26);
            e = panned(e, row % 2 == 0 ? kHatLeft : kHatRight);
            break;
        case HatStyle::eighthsAndOpen:
            if (row % 2 == 0)
                e = panned(offbeat ? hit(kOpenHat, 40) : hit(kClosedHat, 40), offbeat ? kHatRight : kHatLeft);
            break;
        }
        if (e.note != 0)
            grid.at(placed.firstRow + row, kHatChannel) = e;
    }
}

// Silence on every channel but the pad's for `rows` rows.
void writeGap(SongGrid& grid, int firstRow, int rows)
{
    for (int channel : kGapChannels) {
        for (int i = 0; i < rows; ++i)
            grid.at(firstRow + i, channel) = XmEvent{};
        grid.at(firstRow, channel) = keyOff();
    }
}

// Three sixteenths of snare, rising in level and pitch, the kick still on
// the beat; then everything but the pad stops for the last sixteenth.
void writeFill(SongGrid& grid, int firstRow)
{
    for (int i = 0; i < kRowsPerBeat - 1; ++i)
        grid.at(firstRow + i, kSnareChannel) = play(62 + 2 * i, kSnare, 34 + 8 * i);
    writeGap(grid, firstRow + kRowsPerBeat - 1, 1);
}

} // namespace

void writeDrums(SongGrid& grid, const PlacedSection& placed)
{
    writeKick(grid, placed);
    if (placed.section->snare != SnareStyle::off)
        writeSnare(grid, placed);
    writeHats(grid, placed);
}

void writeAccent(SongGrid& grid, const PlacedSection& placed)
{
    const Accent accent = placed.section->accent;
    if (accent == Accent::none)
        return;
    grid.at(placed.firstRow, kCrashChannel) = panned(hit(kCrash, 56), kCrashPan);
    // The impact brings its own boom; a kick on top would only add peak.
    if (accent == Accent::impact) {
        grid.at(placed.firstRow, kImpactChannel) = hit(kImpact, 44);
        grid.at(placed.firstRow, kKickChannel) = XmEvent{};
    } else {
        grid.at(placed.firstRow, kKickChannel) = hit(kKick, kKickVolume);
    }
}

void writeEnding(SongGrid& grid, const PlacedSection& placed)
{
    const int lastBeat = placed.endRow() - kRowsPerBeat;
    switch (placed.section->ending) {
    case Ending::none:
        break;
    case Ending::fill:
        writeFill(grid, lastBeat);
        break;
    case Ending::riserAndGap:
        // The riser lasts three beats and ends where the gap begins.
        grid.at(lastBeat - 3 * kRowsPerBeat, kImpactChannel) = hit(kRiser, 50);
        writeGap(grid, lastBeat, kRowsPerBeat);
        break;
    case Ending::gap:
        writeGap(grid, lastBeat, kRowsPerBeat);
        break;
    }
}
