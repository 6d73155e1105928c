#include "demo_song.h"

#include "drum_parts.h"
#include "instruments.h"
#include "song_parts.h"
#include "song_tempo.h"
#include "xm_writer.h"

#include <vector>

namespace {

using K = KickStyle;
using S = SnareStyle;
using H = HatStyle;
using B = BassStyle;
using A = Accent;
using E = Ending;

// Melodies are written in A minor; notes are pitch:rows.
constexpr const char* kThemeAAndReply =
    "E5:3 A5:3 E5:2 D5:2 C5:2 D5:2 E5:2 | F5:3 A5:3 F5:2 E5:2 C5:2 D5:2 E5:2 | "
    "G5:3 C6:3 G5:2 F5:2 E5:2 F5:2 G5:2 | D5:3 G5:3 B5:4 A5:2 G5:4 | "
    "E5:3 A5:3 E5:2 D5:2 C5:2 D5:2 E5:2 | F5:3 A5:3 F5:2 E5:2 C5:2 D5:2 E5:2 | "
    "G5:3 C6:3 G5:2 F5:2 E5:2 F5:2 G5:2 | B5:3 D6:3 B5:2 A5:2 G5:2 A5:2 B5:2 | E6:8 r:8";
constexpr const char* kThemeB = "A5:6 C6:2 A5:4 G5:4 | B5:6 D6:2 B5:4 A5:4 | G5:6 B5:2 E6:8 | C6:4 B5:4 A5:6 r:2";
constexpr const char* kThemeBReply = "A5:6 C6:2 A5:4 G5:4 | B5:6 D6:2 B5:4 A5:4 | G5:6 B5:2 E6:8 | E6:4 D6:2 C6:2 r:4";
constexpr const char* kBreakdownLine = "C6:16 | B5:16 | A5:8 E5:8 | A5:16 | A5:8 C6:8 | B5:8 D6:8 | B5:12 r:4";
// The farewell: a theme of its own, longer notes higher up, and a slow
// counter-melody below it.
constexpr const char* kThemeC =
    "A5:4 C6:4 E6:6 D6:2 | C6:4 A5:4 F5:6 A5:2 | G5:4 C6:4 E6:4 D6:4 | B5:6 G5:2 D6:8 | "
    "A5:4 C6:4 E6:6 D6:2 | C6:4 A5:4 F5:6 A5:2 | G5:4 C6:4 E6:4 G5:4 | B5:4 D6:4 B5:2 A5:2 r:4";
constexpr const char* kCounterLine = "E4:8 C5:8 | A4:16 | G4:8 E4:8 | D4:8 B4:8 | E4:8 C5:8 | A4:8 F4:8 | G4:8 C5:8 | B4:12 r:4";

// The whole piece, one line per section, with the time at which each first
// beat falls (seconds, and the show's clock units in brackets).
const Section kSections[] = {
    // 0.29 s [0.2]: the pad alone for a bar, after the pickup.
    {4, "Am", 0, K::off, S::off, H::off, B::off, false, nullptr, 0, nullptr, false, A::none, E::none},
    // 2.19 s [1.5]: arpeggio, hats and a held bass.
    {20, "Am F C G Am", 0, K::off, S::off, H::offbeats, B::held, true, nullptr, 0, nullptr, false, A::none, E::none},
    // 11.7 s [8.2]: the kick and the off-beat bass.
    {16, "Am F C G", 0, K::fourOnTheFloor, S::off, H::sixteenths, B::offbeats, true, nullptr, 0, nullptr, false,
     A::none, E::none},
    // 19.3 s [13.5]: the snare.
    {16, "Am F C G", 0, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::offbeats, true, nullptr, 0, nullptr,
     false, A::none, E::none},
    // 26.9 s [18.8]: a bar and three beats of snare roll and riser, then a
    // beat of pad alone.
    {7, "F G", 0, K::fourOnTheFloor, S::roll, H::sixteenths, B::offbeats, true, nullptr, 0, nullptr, false,
     A::none, E::riserAndGap},
    // 30.29 s [21.2]: card 1, the name: the drop, the theme and its reply,
    // and a fill into the next card.
    {36, "Am F C G Am F C G E", 0, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true,
     kThemeAAndReply, 56, nullptr, false, A::impact, E::fill},
    // 47.43 s [33.2]: card 2, the tagline: the second theme, a bar and a half.
    {18, "F G Em Am G", 0, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true, kThemeB, 56, nullptr,
     false, A::impact, E::gap},
    // 56.00 s [39.2]: card 3, the emblem: the second theme in two voices,
    // stopping a beat before the credits.
    {15, "F G Em E", 0, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true, kThemeBReply, 56,
     nullptr, true, A::crash, E::gap},
    // 63.14 s [44.2]: card 4, the credits: an impact, then the breakdown.
    {28, "F G Am Am F G E", 0, K::off, S::off, H::off, B::held, true, kBreakdownLine, 50, nullptr, false,
     A::impact, E::none},
    // 76.48 s [53.5]: the build-up: snare roll and riser, then a beat of pad.
    {17, "F G F G A", 0, K::fourOnTheFloor, S::roll, H::offbeats, B::offbeats, true, nullptr, 0, nullptr, false,
     A::none, E::riserAndGap},
    // 84.57 s [59.2]: card 5, the farewell: the second drop, a tone higher,
    // on a broken beat, with its own theme and a counter-melody.
    {32, "Am F C G", 2, K::broken, S::broken, H::eighthsAndOpen, B::rolling, true, kThemeC, 44, kCounterLine,
     false, A::impact, E::fill},
    // 99.81 s [69.9]: back in A minor, thinning out.
    {24, "Am F C G Am F", 0, K::off, S::off, H::offbeats, B::held, true, nullptr, 0, nullptr, false, A::none,
     E::none},
    // 111.24 s [77.9]: the pad alone, into the intro.
    {6, "G E", 0, K::off, S::off, H::off, B::off, false, nullptr, 0, nullptr, false, A::none, E::none},
};

constexpr int kSectionCount = static_cast<int>(sizeof(kSections) / sizeof(kSections[0]));
// The build-up, which ends in the gap before the last card.
constexpr int kBuildUpSection = 9;

std::vector<PlacedSection> placeSections()
{
    std::vector<PlacedSection> placed;
    int row = kPickupRows;
    for (const Section& section : kSections) {
        placed.push_back(PlacedSection{&section, row, row, row + section.beats * kRowsPerBeat});
        row += section.beats * kRowsPerBeat;
    }
    placed.front().patternStart = 0;
    placed.back().patternEnd += kTailRows;
    return placed;
}

} // namespace

XmModule composeDemoSong()
{
    const std::vector<PlacedSection> placed = placeSections();
    SongGrid grid(placed.back().patternEnd, kChannelCount);
    for (int i = 0; i < kSectionCount; ++i) {
        const PlacedSection& part = placed[static_cast<std::size_t>(i)];
        writeDrums(grid, part);
        writeBass(grid, part);
        writePad(grid, part, i == 0 ? nullptr : &placed[static_cast<std::size_t>(i - 1)]);
        writeArpeggio(grid, part);
        writeMelody(grid, part);
    }
    // A dotted-eighth echo: three sixteenths behind the lead.
    writeEcho(grid, 3, 0.45);
    for (const PlacedSection& part : placed) {
        writeAccent(grid, part);
        writeEnding(grid, part);
    }
    makeRoomForDrums(grid, kPickupRows);
    // The long row: the second row of the gap before the last card.
    writeTempo(grid, placed[kBuildUpSection].endRow() - kRowsPerBeat + 1);

    XmModule module;
    module.name = "KELVOR";
    module.channels = kChannelCount;
    module.speed = kSpeed;
    module.bpm = kOpeningBeatsPerMinute;
    std::vector<int> patternRows;
    for (const PlacedSection& part : placed)
        patternRows.push_back(part.patternEnd - part.patternStart);
    module.patterns = grid.toPatterns(patternRows);
    for (int i = 0; i < kSectionCount; ++i)
        module.orders.push_back(static_cast<std::uint8_t>(i));
    module.instruments = makeInstruments();
    return module;
}

std::vector<std::uint8_t> makeDemoModule()
{
    return encodeXm(composeDemoSong());
}
