// The show's music rendered offline: the module played from its start by
// libopenmpt, looping as the show does, as 16-bit stereo at the show's rate.
#pragma once

#include "scene/show_facts.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kAudioRate = show::audioRate;

// The sample frame at which the music of video frame k + 1 starts, at fps
// video frames a second: frame k covers the samples from
// musicSampleAt(k - 1, fps) up to musicSampleAt(k, fps), 630 of them at 70,
// 735 at 60, so picture and sound stay in step for any length.
std::int64_t musicSampleAt(long frames, int fps);

// Renders sample frames [first, first + count) of the looping module into
// interleaved left/right samples. Returns false and sets error when the
// module cannot be read or loaded.
bool renderModuleAudio(const std::string& modulePath, std::int64_t first, std::int64_t count,
                       std::vector<std::int16_t>& interleaved, std::string& error);

// A 16-bit stereo WAV file, written to a temporary name and renamed into place.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& interleaved,
              std::string& error);
