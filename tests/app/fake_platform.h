// A fake of the platform layer for the Demo's tests, linked in place of the
// SDL2/libopenmpt one. It records every call as a line of text, hands out
// scripted audio results and key presses, and runs a simulated tick count.
#pragma once

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
    std::uint32_t msPerTick = 1; // every tick reading advances this much
    std::string programPath;     // where programPath() says the program is
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

// The simulated tick count, without advancing it.
std::uint32_t ticks();

// The window handle the fake's foregroundWindow gives.
void* frontWindow();

} // namespace fake
