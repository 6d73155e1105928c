// The facts of the show, each written once: the screen, the clock, the show
// cycle and its title-card timeline, the audio rate and the show's files.
// Everything else (the app, the platforms, the tools, the tests, the build)
// takes them from here; what follows from them is computed below.
#pragma once

#include <cstddef>
#include <cstdint>

namespace show {

// The frame, in pixels.
constexpr std::int32_t screenWidth = 320;
constexpr std::int32_t screenHeight = 200;

// The frame clock: `clockRate` steps a second, each moving the clock time on
// by `clockStep` units. Every time of the scene is in clock units.
constexpr float clockRate = 70.0f;
constexpr float clockStep = 0.01f;
// The show cycle: the title timeline and the sprite ring start again after
// this many clock units.
constexpr float cycleLength = 80.0f;

// The title timeline, in show time: card 1 enters at `titlesStart` and runs
// for `title1Length`; cards 2 to 5 run on a time `titlesBeat` later, each
// from its `from` to its `to` on that time.
constexpr double titlesStart = 21.2;
constexpr double title1Length = 9.0;
constexpr double titlesBeat = 5.0;
struct CardWindow {
    double from;
    double to;
};
constexpr CardWindow laterCards[4] = {{7, 17}, {13, 23}, {18, 38}, {33, 53}};
constexpr int cardCount = 5;

// Card k (1 to 5) enters at this show time and leaves at cardExit(k).
constexpr double cardEntry(int k)
{
    return k == 1 ? titlesStart : titlesStart + titlesBeat + laterCards[k - 2].from;
}
constexpr double cardExit(int k)
{
    return k == 1 ? titlesStart + title1Length : titlesStart + titlesBeat + laterCards[k - 2].to;
}

// The music plays 16-bit stereo at this rate.
constexpr int audioRate = 44100;

// The show's files (scene/show_files.def).
enum class Part {
#define KELVOR_SHOW_FILE(part, name, width, height) part,
#include "scene/show_files.def"
#undef KELVOR_SHOW_FILE
};
struct File {
    Part part;
    const char* name;
    std::int32_t width;
    std::int32_t height;
};
constexpr File files[] = {
#define KELVOR_SHOW_FILE(part, name, width, height) {Part::part, name, width, height},
#include "scene/show_files.def"
#undef KELVOR_SHOW_FILE
};
constexpr std::size_t fileCount = sizeof(files) / sizeof(files[0]);
constexpr const File& file(Part part) { return files[static_cast<int>(part)]; }

// What follows from the clock. Its period is 1000 / clockRate ms (14.29);
// it reads a whole-millisecond tick count, so it steps once that count has
// moved on by the period rounded up (15 ms).
constexpr double clockPeriodMs = 1000.0 / static_cast<double>(clockRate);
constexpr int wholeMsPerStep =
    static_cast<int>(clockPeriodMs) + (static_cast<double>(static_cast<int>(clockPeriodMs)) < clockPeriodMs ? 1 : 0);
// A frame this long reads as a full step whatever the tick count's phase,
// with a millisecond to spare for the jitter of the moments it is read.
constexpr int shortestFrameMs = wholeMsPerStep + 1;
// The most frames a second a show paced to a display presents, each one at
// least shortestFrameMs long (62).
constexpr int fastestDisplayFps = 1000 / shortestFrameMs;
// Frames at the clock's own rate.
constexpr int steadyFps = static_cast<int>(clockRate);

} // namespace show
