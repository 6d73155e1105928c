// The capture tool's command line.
#pragma once

#include "scene/show_facts.h"

#include <cstdint>
#include <string>

struct CaptureOptions {
    std::string assets = ".";   // folder holding the pictures
    long first = 1;             // first frame written, 1-based
    long last = 0;              // last frame rendered and written; 0: one show cycle
    int fps = 0;                // frames a second: 70 steady steps, or 1 to 62
                                // as presented by a live show; 0: 60 for video, else 70
    std::string pngFolder;      // write frame_K.png files here when set
    int scale = 0;              // integer nearest-neighbour scale; 0: 4 for video, else 1
    std::string video;          // encode a video file here (.mp4, or .mkv for lossless)
    std::string wav;            // write the music of the same span here
    bool checksums = false;     // print "K HASH" per frame on stdout
    std::string simd;           // instruction set of the pixel rows; empty: the best one
    bool help = false;
    bool version = false;
};

// The clock's steady steps: the show at its nominal rate (70 frames a second).
constexpr int kSteadyStepsFps = show::steadyFps;
// The most frames a second a live show paced to a display presents (each
// frame at least show::shortestFrameMs, so that the clock finds a period
// passed): 62.
constexpr int kFastestDisplayFps = show::fastestDisplayFps;

// Where the tick count stands when a live show presenting `fps` frames a
// second (1 to 62) draws frame k, in the whole milliseconds its clock
// reads: k * 1000 / fps rounded down. A clock read there finds every frame
// late, and its catch-up moves it on by the time that passed, as in the
// live show paced to a display.
std::uint32_t displayFrameTick(long k, int fps);

// Fills options from argv, with the defaults resolved (fps, and last as one
// show cycle at that rate). On a bad argument returns false and sets error
// to one line that says what is wrong.
bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& error);

const char* captureUsage();
