// A fake of the platform layer for the Demo's tests, linked in place of the
// SDL2/libopenmpt one. It records every call as a line of text and hands out
// scripted audio results and key presses; its stepped tick count, which
// waiting for a key moves on, is the one the tests hand the Demo.
#pragma once

#include "app/stepped_ticks.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ScriptedKey {
    int frame = 0;      // frames presented before the press arrives
    int emptyPolls = 0; // empty key polls of that frame before it arrives
    int code = 0;
    std::uint32_t msBefore = 0; // how long it takes to come: the tick count jumps by that
};

struct FakeScript {
    std::uint32_t version = 0x80000;
    bool initSucceeds = true;
    std::uint32_t music = 7; // BASS_MusicLoad's result; 0 fails the load
    std::vector<ScriptedKey> keys;
    std::string programPath; // where programPath() says the program is
};

namespace fake {

// Starts a fresh recording with the script.
void start(const FakeScript& script);

const std::vector<std::string>& calls();

// Adds a line of the test's own to the recording.
void note(const std::string& line);

// Called with each call's line right after it is recorded.
void setProbe(std::function<void(const std::string&)> probe);

// Writes the recording, a line per call, to the file when the process exits.
void saveCallsAtExit(const std::string& path);

// The tick count for the Demo: 1 ms a reading, from 1000 at start().
SteppedTicks& ticks();

// The window handle the fake's foregroundWindow gives.
void* frontWindow();

} // namespace fake
