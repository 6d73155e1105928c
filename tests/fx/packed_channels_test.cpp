// The packed channel arithmetic against the saturating tables it replaces in
// the blits, the glow and the terrain: every pair of channel values, in every
// channel, with any top byte.
#include "fx/clamp_tables.h"
#include "fx/packed_channels.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Puts value into channel 0 (blue), 1 (green) or 2 (red) over a background
// that keeps the other channels and the top byte busy.
Pixel inChannel(std::uint32_t value, int channel, Pixel background)
{
    const int shift = 8 * channel;
    return (background & ~(0xFFu << shift)) | (value << shift);
}

std::uint32_t channelOf(Pixel p, int channel) { return (p >> (8 * channel)) & 0xFFu; }

TEST(PackedChannels, SaturatedAddMatchesTheClampTablesForAllPairs)
{
    ClampTables tables;
    const std::int32_t* red = tables.redTable() + kChannelTableOffset;
    const std::int32_t* green = tables.greenTable() + kChannelTableOffset;
    const std::int32_t* blue = tables.blueTable() + kChannelTableOffset;
    for (int channel = 0; channel < 3; ++channel) {
        for (std::uint32_t a = 0; a < 256; ++a) {
            for (std::uint32_t b = 0; b < 256; ++b) {
                const Pixel pa = inChannel(a, channel, 0xA5000000u | (b * 0x010101u));
                const Pixel pb = inChannel(b, channel, 0x5A000000u | (a * 0x010101u));
                const Pixel table = static_cast<Pixel>(
                    red[channelOf(pa, 2) + channelOf(pb, 2)] + green[channelOf(pa, 1) + channelOf(pb, 1)] +
                    blue[channelOf(pa, 0) + channelOf(pb, 0)]);
                ASSERT_EQ(addSaturated(pa, pb), table) << a << " + " << b << " in channel " << channel;
            }
        }
    }
}

TEST(PackedChannels, LoweringMatchesTheClampedDifferenceForAllFades)
{
    for (std::uint32_t fade = 0; fade < 256; ++fade) {
        const PackedFade packed(fade);
        for (std::uint32_t s = 0; s < 256; ++s) {
            // The three channels hold s, 255 - s and s / 2; the top byte is set.
            const Pixel p = 0xFF000000u | (s << 16) | ((255 - s) << 8) | (s / 2);
            const Pixel expected = (static_cast<Pixel>(std::max<int>(s - fade, 0)) << 16) |
                                   (static_cast<Pixel>(std::max<int>(255 - s - fade, 0)) << 8) |
                                   static_cast<Pixel>(std::max<int>(s / 2 - fade, 0));
            ASSERT_EQ(lowerChannels(p, packed), expected) << s << " - " << fade;
        }
    }
}

} // namespace
