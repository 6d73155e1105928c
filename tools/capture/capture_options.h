// The capture tool's command line.
#pragma once

#include <string>

struct CaptureOptions {
    std::string assets = ".";   // folder holding the pictures
    long first = 1;             // first frame written, 1-based
    long last = 8000;           // last frame rendered and written
    std::string pngFolder;      // write frame_K.png files here when set
    int scale = 0;              // integer nearest-neighbour scale; 0: 4 for video, else 1
    std::string video;          // encode a video file here (.mp4, or .mkv for lossless)
    std::string wav;            // write the music of the same span here
    bool checksums = false;     // print "K HASH" per frame on stdout
    bool help = false;
    bool version = false;
};

// Fills options from argv. On a bad argument returns false and sets error to
// one line that says what is wrong.
bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& error);

const char* captureUsage();
