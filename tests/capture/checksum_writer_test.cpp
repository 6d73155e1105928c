#include "checksum_writer.h"

#include "app/offline_frames.h"
#include "image/frame_hash.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Frames handed over one after another from one buffer that changes right
// after each hand-over: every line is the checksum of the frame as it was
// handed over, in frame order.
TEST(ChecksumWriter, WritesTheLinesOfTheFramesAsHandedOverInOrder)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    constexpr std::size_t kPixels = 4000;
    std::vector<std::uint32_t> frame(kPixels);
    std::string expected;
    {
        ChecksumWriter writer(out, kPixels);
        for (long k = 1; k <= 60; ++k) {
            for (std::size_t i = 0; i < kPixels; ++i)
                frame[i] = static_cast<std::uint32_t>((i * 2654435761u + k * 40503u) & 0x00FFFFFFu);
            if (k % 7 == 0)
                frame[k] |= 0x5A000000u; // a stray top byte now and then
            expected += checksumLine(k, frameHash(frame.data(), kPixels));
            writer.add(k, frame.data());
            frame.assign(kPixels, 0xFFFFFFFFu);
        }
        EXPECT_TRUE(writer.finish());
        EXPECT_TRUE(writer.finish()); // a second finish does nothing
    }
    std::rewind(out);
    std::string written;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out) != nullptr)
        written += buffer;
    std::fclose(out);
    EXPECT_EQ(written, expected);
}

} // namespace
