// Channel arithmetic on whole 0x00RRGGBB pixels: the three channels are
// worked on at once inside one 32-bit word, red and blue in the lanes of
// 0x00FF00FF and green in 0x0000FF00, each with a free bit above it for the
// carry or borrow. Only plain integer operations, so that loops of them
// vectorise; the results equal the saturating table lookups channel for
// channel, and the top byte of every result is 0 whatever the inputs hold.
#pragma once

#include "image/image.h"

#include <cstdint>

constexpr std::uint32_t kRedBlueMask = 0x00FF00FFu;
constexpr std::uint32_t kGreenMask = 0x0000FF00u;
constexpr std::uint32_t kRedBlueCarry = 0x01000100u;
constexpr std::uint32_t kGreenCarry = 0x00010000u;

// 0xFF in every channel whose lane has its carry bit set, 0 elsewhere.
inline std::uint32_t carryToMask(std::uint32_t carryBits)
{
    return carryBits - (carryBits >> 8);
}

// Per channel min(a + b, 255).
inline Pixel addSaturated(Pixel a, Pixel b)
{
    const std::uint32_t redBlue = (a & kRedBlueMask) + (b & kRedBlueMask);
    const std::uint32_t green = (a & kGreenMask) + (b & kGreenMask);
    const std::uint32_t saturatedRedBlue = redBlue | carryToMask(redBlue & kRedBlueCarry);
    const std::uint32_t saturatedGreen = green | carryToMask(green & kGreenCarry);
    return (saturatedRedBlue & kRedBlueMask) | (saturatedGreen & kGreenMask);
}

// A fade of 0..255 in the red-blue lanes and in the green lane, packed once
// per call so that lowering a pixel is a few operations.
struct PackedFade {
    explicit PackedFade(std::uint32_t fade) : redBlue(fade * 0x00010001u), green(fade << 8) {}
    std::uint32_t redBlue;
    std::uint32_t green;
};

// Per channel max(s - fade, 0): each lane borrows from its carry bit, and a
// lane whose carry bit is gone went below 0.
inline Pixel lowerChannels(Pixel s, PackedFade fade)
{
    const std::uint32_t redBlue = ((s & kRedBlueMask) | kRedBlueCarry) - fade.redBlue;
    const std::uint32_t green = ((s & kGreenMask) | kGreenCarry) - fade.green;
    return (redBlue & carryToMask(redBlue & kRedBlueCarry)) |
           (green & carryToMask(green & kGreenCarry));
}
