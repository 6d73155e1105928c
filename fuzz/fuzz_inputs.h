// How a fuzz input becomes what the targets feed the show's code, shared by
// the targets and the seed generator so that the seeds mean what they say.
#pragma once

#include "support/show_files.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Loader target: the whole input is the picture file. The first header byte,
// which the loader never reads, picks which of the seven show sizes it is
// loaded at (an empty file is loaded at the first).
const show::File& loaderPictureFor(const std::uint8_t* data, std::size_t size);

// Scene target input:
//   byte 0        bits 0-6: pictures data1..data7 that come from the input,
//                 the others are good show pictures; bit 7: those pictures
//                 are missing instead
//   bytes 1-8     four clock jumps, 16-bit little-endian milliseconds, one
//                 before each rendered frame
//   bytes 9-      the picture file used for every picture chosen in byte 0
struct SceneInput {
    static constexpr std::size_t frameCount = 4;
    static constexpr std::size_t headerSize = 1 + 2 * frameCount;

    std::uint8_t pictureMask = 0;
    bool missing = false;
    std::array<std::uint16_t, frameCount> jumps{};
    std::vector<std::uint8_t> picture;
};

// Short inputs read as zeros past their end.
SceneInput parseSceneInput(const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> encodeSceneInput(const SceneInput& input);
