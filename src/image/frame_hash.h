// The frame checksum, as the capture tool prints it and the tests pin it:
// 64-bit FNV-1a over the pixels as little-endian 32-bit words (0x00RRGGBB),
// so that a frame's hash is the same on every machine.
#pragma once

#include <cstddef>
#include <cstdint>

namespace frame_hash {

constexpr std::uint64_t kBasis = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kPrime = 0x100000001b3ULL;

// FNV-1a is one chain of xor and multiply per byte. A zero byte's xor
// changes nothing, so for a pixel with a zero top byte (every frame's) its
// multiply merges with the one before: three multiplies by the prime and
// its square instead of four, the same value.
inline std::uint64_t hashZeroTopBytes(std::uint64_t hash, const std::uint32_t* pixels,
                                      std::size_t count)
{
    constexpr std::uint64_t primeSquared = kPrime * kPrime;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = pixels[i];
        hash = (hash ^ (p & 0xFFu)) * kPrime;
        hash = (hash ^ ((p >> 8) & 0xFFu)) * kPrime;
        hash = (hash ^ ((p >> 16) & 0xFFu)) * primeSquared;
    }
    return hash;
}

inline std::uint64_t hashBytes(std::uint64_t hash, const std::uint32_t* pixels, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        for (int byte = 0; byte < 4; ++byte) {
            hash ^= (pixels[i] >> (8 * byte)) & 0xFFu;
            hash *= kPrime;
        }
    }
    return hash;
}

} // namespace frame_hash

inline std::uint64_t frameHash(const std::uint32_t* pixels, std::size_t count)
{
    std::uint32_t topBytes = 0;
    for (std::size_t i = 0; i < count; ++i)
        topBytes |= pixels[i];
    if ((topBytes & 0xFF000000u) == 0)
        return frame_hash::hashZeroTopBytes(frame_hash::kBasis, pixels, count);
    return frame_hash::hashBytes(frame_hash::kBasis, pixels, count);
}
