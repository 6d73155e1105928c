// The music role of the show, under the names and arguments the frame loop
// uses: one output device and one tracker module that, once playing, loops
// by itself on the audio thread until stopped.
#pragma once

#include <cstdint>

// 0x80000 when the audio libraries found at run time are the ones this
// layer was built for; any other value means they are not.
std::uint32_t BASS_GetVersion();

// Opens the output: device -1 is the default device; frequency in Hz; flags
// and window are accepted and not used. True on success.
bool BASS_Init(int device, std::uint32_t frequency, std::uint32_t flags, void* window);

// Loads a module from the file name (memory must be 0: modules come from
// files), starting offset bytes into the file and reading length bytes (0:
// to its end). Flag 1 loops the module forever. The music handle, or 0
// when there is no output or the file is missing or not a playable module.
std::uint32_t BASS_MusicLoad(int memory, const char* file, std::uint32_t offset,
                             std::uint32_t length, std::uint32_t flags);

// Starts the output; until a module plays it plays silence.
bool BASS_Start();

// Plays the module from its start.
bool BASS_MusicPlay(std::uint32_t music);

// Stops the output.
bool BASS_Stop();

// Releases the module; 0 is no module and is ignored.
void BASS_MusicFree(std::uint32_t music);

// Closes the output and releases everything still loaded.
void BASS_Free();

// The loop flag of BASS_MusicLoad.
constexpr std::uint32_t musicLoop = 1;
