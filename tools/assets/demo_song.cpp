#include "demo_song.h"

#include "instruments.h"
#include "song_parts.h"
#include "xm_writer.h"

#include <array>

namespace {

// Four rows per beat at speed 6: 126 beats per minute make one 64-row
// section last 64 x 6 x 2.5 / 126 s, and fifteen of them one show cycle.
constexpr int kSpeed = 6;
constexpr int kBeatsPerMinute = 126;

// The lead's themes, one section each. Notes are pitch:rows.
constexpr const char* kThemeA =
    "E5:3 A5:3 E5:2 D5:2 C5:2 D5:2 E5:2 | F5:3 A5:3 F5:2 E5:2 C5:2 D5:2 E5:2 | "
    "G5:3 C6:3 G5:2 F5:2 E5:2 F5:2 G5:2 | D5:3 G5:3 B5:4 A5:2 G5:4";
constexpr const char* kThemeAReply =
    "E5:3 A5:3 E5:2 D5:2 C5:2 D5:2 E5:2 | F5:3 A5:3 F5:2 E5:2 C5:2 D5:2 E5:2 | "
    "G5:3 C6:3 G5:2 F5:2 E5:2 F5:2 G5:2 | B5:3 D6:3 B5:2 A5:2 G5:2 A5:2 B5:2";
constexpr const char* kThemeB =
    "A5:6 C6:2 A5:4 G5:4 | B5:6 D6:2 B5:4 A5:4 | G5:6 B5:2 E6:8 | C6:4 B5:4 A5:6 r:2";
constexpr const char* kThemeBReply =
    "A5:6 C6:2 A5:4 G5:4 | B5:6 D6:2 B5:4 A5:4 | G5:6 B5:2 E6:8 | E6:4 D6:2 C6:2 B5:2 A5:6";
constexpr const char* kBreakdownLine = "A5:16 | B5:16 | G5:8 E5:8 | A5:12 r:4";

using K = KickStyle;
using S = SnareStyle;
using H = HatStyle;
using B = BassStyle;

using Chords = std::array<const char*, kBarsPerSection>;
constexpr Chords kMain{"Am", "F", "C", "G"};
constexpr Chords kSecond{"F", "G", "Em", "Am"};

// The whole piece, one line per section, with the show time at which each
// starts (seconds x 0.7) for reference against the title cards.
const Section kSections[] = {
    // 0.0: the pad alone.
    {kMain, K::off, S::off, H::off, B::off, false, false, nullptr, 0, false},
    // 5.3: arpeggio, hats and a held bass.
    {kMain, K::off, S::off, H::offbeats, B::held, true, false, nullptr, 0, false},
    // 10.7: the kick and the off-beat bass.
    {kMain, K::fourOnTheFloor, S::off, H::sixteenths, B::offbeats, true, false, nullptr, 0, false},
    // 16.0: the snare, with a fill into the theme.
    {kMain, K::fourOnTheFloor, S::backbeatAndFill, H::sixteenths, B::offbeats, true, false, nullptr, 0, false},
    // 21.3: card 1, the name: the theme over the full band.
    {kMain, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true, true, kThemeA, 44, false},
    // 26.7: the theme's reply.
    {kMain, K::fourOnTheFloor, S::backbeatAndFill, H::sixteenths, B::rolling, true, false, kThemeAReply, 44, false},
    // 32.0: card 2, the tagline: the second theme.
    {kSecond, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true, true, kThemeB, 44, false},
    // 37.3: card 3, the emblem: the second theme in two voices.
    {kSecond, K::fourOnTheFloor, S::backbeatAndFill, H::sixteenths, B::rolling, true, false, kThemeBReply, 44, true},
    // 42.7: card 4, the credits: the breakdown.
    {kSecond, K::off, S::off, H::off, B::held, true, true, kBreakdownLine, 34, false},
    // 48.0: the build-up, a snare roll into the theme.
    {kMain, K::fourOnTheFloor, S::roll, H::offbeats, B::offbeats, true, false, nullptr, 0, false},
    // 53.3: the theme again, in two voices.
    {kMain, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true, true, kThemeA, 44, true},
    // 58.7: card 5, the farewell: the reply in two voices.
    {kMain, K::fourOnTheFloor, S::backbeatAndFill, H::sixteenths, B::rolling, true, false, kThemeAReply, 44, true},
    // 64.0: the second theme once more.
    {kSecond, K::fourOnTheFloor, S::backbeat, H::sixteenths, B::rolling, true, true, kThemeBReply, 44, false},
    // 69.3: the outro: the lead and the snare rest.
    {kMain, K::fourOnTheFloor, S::off, H::sixteenths, B::offbeats, true, false, nullptr, 0, false},
    // 74.7: thinning out into the intro.
    {kMain, K::off, S::off, H::offbeats, B::held, true, false, nullptr, 0, false},
};

constexpr int kSectionCount = static_cast<int>(sizeof(kSections) / sizeof(kSections[0]));

} // namespace

XmModule composeDemoSong()
{
    SongGrid grid(kSectionCount * kRowsPerSection, kChannelCount);
    for (int i = 0; i < kSectionCount; ++i) {
        const Section& section = kSections[i];
        const int firstRow = i * kRowsPerSection;
        writeDrums(grid, firstRow, section);
        writeBass(grid, firstRow, section);
        writePad(grid, firstRow, section, i == 0 ? nullptr : &kSections[i - 1]);
        if (section.arpeggio)
            writeArpeggio(grid, firstRow, section);
        writeMelody(grid, firstRow, section);
    }
    // A dotted-eighth echo: three sixteenths behind the lead.
    writeEcho(grid, 3, 0.45);

    XmModule module;
    module.name = "KELVOR";
    module.channels = kChannelCount;
    module.speed = kSpeed;
    module.bpm = kBeatsPerMinute;
    module.patterns = grid.toPatterns(kRowsPerSection);
    for (int i = 0; i < kSectionCount; ++i)
        module.orders.push_back(static_cast<std::uint8_t>(i));
    module.instruments = makeInstruments();
    return module;
}

std::vector<std::uint8_t> makeDemoModule()
{
    return encodeXm(composeDemoSong());
}
