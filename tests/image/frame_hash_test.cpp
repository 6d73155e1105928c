#include "image/frame_hash.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// FNV-1a byte by byte over the pixels' little-endian bytes, written out.
std::uint64_t plainFnv1a(const std::vector<std::uint32_t>& pixels)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (std::uint32_t p : pixels) {
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8),
                                       static_cast<std::uint8_t>(p >> 16),
                                       static_cast<std::uint8_t>(p >> 24)};
        for (std::uint8_t b : bytes) {
            hash ^= b;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

TEST(FrameHash, IsFnv1aOverThePixelBytesWithOrWithoutTopBytes)
{
    EXPECT_EQ(frameHash(nullptr, 0), 0xcbf29ce484222325ull);
    // "a" is the byte 0x61: FNV-1a's published value for it, then three
    // zero bytes.
    const std::vector<std::uint32_t> one = {0x61};
    std::uint64_t a = 0xaf63dc4c8601ec8cull;
    for (int i = 0; i < 3; ++i)
        a *= 1099511628211ull;
    EXPECT_EQ(frameHash(one.data(), 1), a);

    std::mt19937 generator(7);
    for (int n = 0; n < 40; ++n) {
        std::vector<std::uint32_t> pixels(1 + generator() % 3000);
        for (std::uint32_t& p : pixels)
            p = generator() & 0x00FFFFFFu;
        if (n % 2 == 1) // a single stray top byte anywhere
            pixels[generator() % pixels.size()] |= (1 + generator() % 255) << 24;
        ASSERT_EQ(frameHash(pixels.data(), pixels.size()), plainFnv1a(pixels)) << n;
    }
}

} // namespace
