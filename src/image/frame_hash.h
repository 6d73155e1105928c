// The frame checksum, as the capture tool prints it and the tests pin it: 64-bit FNV-1a over the pixels as little-endian 32-bit
// words (0x00RRGGBB), so that a frame's hash is the same on every machine.
#pragma once

#include <cstddef>
#include <cstdint>

inline std::uint64_t frameHash(const std::uint32_t* pixels, std::size_t count)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (std::size_t i = 0; i < count; ++i) {
        for (int byte = 0; byte < 4; ++byte) {
            hash ^= (pixels[i] >> (8 * byte)) & 0xFFu;
            hash *= 0x100000001b3ULL;
        }
    }
    return hash;
}
