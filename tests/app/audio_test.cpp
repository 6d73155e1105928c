// The live audio layer: libopenmpt rendering into an SDL2 device. SDL's
// "disk" driver stands in for a sound card and writes what would be heard
// to a file, 16-bit stereo at 44100 Hz, as fast as it is rendered.
#include "platform/bass.h"

#include "show_files.h"
#include "support/temporary_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t bytesPerSecond = 44100 * 4;

class AudioLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        output = folder + "/output.raw";
        ASSERT_TRUE(writeBytes(folder + "/demo.xm", makeXmModule()));
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "2", 1);
    }

    void TearDown() override
    {
        BASS_Free();
    }

    std::string path(const char* name) const { return folder + "/" + name; }

    // Plays the module until the output holds at least the given seconds.
    void playFor(const std::string& module, std::uint32_t flags, double seconds)
    {
        ASSERT_TRUE(BASS_Init(-1, 44100, 4, nullptr));
        const std::uint32_t music = BASS_MusicLoad(0, module.c_str(), 0, 0, flags);
        ASSERT_NE(music, 0u);
        ASSERT_TRUE(BASS_Start());
        ASSERT_TRUE(BASS_MusicPlay(music));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        struct stat info {};
        while (std::chrono::steady_clock::now() < deadline
               && (stat(output.c_str(), &info) != 0
                   || static_cast<double>(info.st_size) < seconds * bytesPerSecond))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(BASS_Stop());
        BASS_MusicFree(music);
        BASS_Free();
    }

    // The output's samples from the first one that is not silent on.
    std::vector<int> heard() const
    {
        std::ifstream in(output, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<int> samples;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const int sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i])
                                                         | static_cast<std::uint8_t>(bytes[i + 1]) << 8);
            if (sample != 0 || !samples.empty())
                samples.push_back(sample);
        }
        return samples;
    }

    // The loudest of the samples between the two times, in seconds.
    static int loudestBetween(const std::vector<int>& samples, double from, double to)
    {
        const std::size_t end = std::min(samples.size(), static_cast<std::size_t>(to * 44100 * 2));
        int loudest = 0;
        for (std::size_t i = static_cast<std::size_t>(from * 44100 * 2); i < end; ++i)
            loudest = std::max(loudest, std::abs(samples[i]));
        return loudest;
    }

    const TemporaryFolder temporary;
    const std::string folder = temporary.path();
    std::string output;
};

TEST_F(AudioLayer, ReportsTheVersionTheShowAsksFor)
{
    EXPECT_EQ(BASS_GetVersion(), 0x80000u);
}

// The test tune is 7.68 s long: with the loop flag it goes on past its end,
// without it the output falls silent there.
TEST_F(AudioLayer, PlaysTheModuleAndLoopsItOnlyWhenAsked)
{
    playFor(path("demo.xm"), musicLoop, 12.0);
    const std::vector<int> looped = heard();
    ASSERT_GT(looped.size(), 10u * 44100 * 2);
    EXPECT_GT(loudestBetween(looped, 0.0, 1.0), 2000);
    EXPECT_GT(loudestBetween(looped, 8.5, 9.5), 2000);

    std::remove(output.c_str());
    playFor(path("demo.xm"), 0, 12.0);
    const std::vector<int> once = heard();
    ASSERT_GT(once.size(), 10u * 44100 * 2);
    EXPECT_GT(loudestBetween(once, 0.0, 1.0), 2000);
    EXPECT_EQ(loudestBetween(once, 8.5, 9.5), 0);
}

TEST_F(AudioLayer, LoadsOnlyPlayableModules)
{
    ASSERT_TRUE(writeBytes(path("empty.xm"), {}));
    ASSERT_TRUE(writeBytes(path("text.xm"), std::vector<std::uint8_t>(4000, 'x')));
    ASSERT_TRUE(writeBytes(path("tune.mod"), makeModModule()));
    std::vector<std::uint8_t> prefixed(100, 0xEE);
    const std::vector<std::uint8_t> xm = makeXmModule();
    prefixed.insert(prefixed.end(), xm.begin(), xm.end());
    ASSERT_TRUE(writeBytes(path("prefixed.bin"), prefixed));

    // Nothing loads before the output is open.
    EXPECT_EQ(BASS_MusicLoad(0, path("demo.xm").c_str(), 0, 0, 1), 0u);

    ASSERT_TRUE(BASS_Init(-1, 44100, 4, nullptr));
    EXPECT_EQ(BASS_MusicLoad(0, path("missing.xm").c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_MusicLoad(0, path("empty.xm").c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_MusicLoad(0, path("text.xm").c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_MusicLoad(0, folder.c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_MusicLoad(0, path("demo.xm").c_str(), 100000, 0, 1), 0u);
    EXPECT_EQ(BASS_MusicLoad(1, path("demo.xm").c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_MusicPlay(0), false);

    // The content decides, not the name: a ProTracker module plays too.
    EXPECT_NE(BASS_MusicLoad(0, path("tune.mod").c_str(), 0, 0, 1), 0u);
    EXPECT_NE(BASS_MusicLoad(0, path("prefixed.bin").c_str(), 100, 0, 1), 0u);
    EXPECT_NE(BASS_MusicLoad(0, path("prefixed.bin").c_str(), 100,
                             static_cast<std::uint32_t>(xm.size()), 1), 0u);

    // A second load replaces the first: only the newest handle plays.
    const std::uint32_t first = BASS_MusicLoad(0, path("demo.xm").c_str(), 0, 0, 1);
    const std::uint32_t second = BASS_MusicLoad(0, path("demo.xm").c_str(), 0, 0, 1);
    EXPECT_NE(first, second);
    EXPECT_FALSE(BASS_MusicPlay(first));
    EXPECT_TRUE(BASS_MusicPlay(second));
}

TEST_F(AudioLayer, WithoutAnOutputDeviceInitFailsAndTheRestIsHarmless)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(BASS_Init(-1, 44100, 4, nullptr));
    EXPECT_EQ(BASS_MusicLoad(0, path("demo.xm").c_str(), 0, 0, 1), 0u);
    EXPECT_FALSE(BASS_Start());
    EXPECT_FALSE(BASS_MusicPlay(1));
    EXPECT_FALSE(BASS_Stop());
    BASS_MusicFree(0);
    BASS_Free();

    setenv("SDL_AUDIODRIVER", "disk", 1);
    EXPECT_TRUE(BASS_Init(-1, 44100, 4, nullptr));
    EXPECT_FALSE(BASS_Init(-1, 44100, 4, nullptr)) << "a second output while the first is open";
}

} // namespace
