// The module as a listener meets it, rendered by libopenmpt as the show
// plays it: loud like a release with headroom left, a stereo image that
// still sums to mono, a loop without a click, and a hit on a beat wherever a
// title card enters.
#include "demo_song.h"
#include "instruments.h"
#include "k_weighted_loudness.h"
#include "scene/show_facts.h"
#include "song_sections.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kShowRate = 44100;
constexpr int kCycleFrames = 8000 * kShowRate / 70; // one show cycle: 8000 frames at 70 per second
constexpr int kSeamFrames = kShowRate / 10;         // how far past the loop the show's render goes

openmpt_module* openModule(const std::vector<std::uint8_t>& bytes)
{
    return openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
                                              openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
}

class ModuleMixTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        bytes = new std::vector<std::uint8_t>(makeDemoModule());
        song = new XmModule(composeDemoSong());
        // As the show plays it: 16-bit frames, looping forever.
        shown = new std::vector<std::int16_t>(2 * (kCycleFrames + kSeamFrames));
        openmpt_module* module = openModule(*bytes);
        openmpt_module_set_repeat_count(module, -1);
        for (std::size_t done = 0; done < shown->size() / 2;) {
            const std::size_t want = std::min<std::size_t>(4096, shown->size() / 2 - done);
            done += openmpt_module_read_interleaved_stereo(module, kShowRate, want, shown->data() + 2 * done);
        }
        openmpt_module_destroy(module);
    }
    static void TearDownTestSuite()
    {
        delete bytes;
        delete song;
        delete shown;
    }

    static double at(std::size_t frame, int channel) { return (*shown)[2 * frame + channel] / 32768.0; }

    static std::vector<std::uint8_t>* bytes;
    static XmModule* song;
    static std::vector<std::int16_t>* shown;
};

std::vector<std::uint8_t>* ModuleMixTest::bytes = nullptr;
XmModule* ModuleMixTest::song = nullptr;
std::vector<std::int16_t>* ModuleMixTest::shown = nullptr;

TEST_F(ModuleMixTest, isAsLoudAsAReleaseWithHeadroomLeft)
{
    // The meter needs 48 kHz; one cycle, as floats that cannot clip.
    openmpt_module* module = openModule(*bytes);
    std::vector<float> cycle;
    std::vector<float> chunk(2 * 4096);
    while (const std::size_t got = openmpt_module_read_interleaved_float_stereo(module, 48000, 4096, chunk.data()))
        cycle.insert(cycle.end(), chunk.begin(), chunk.begin() + 2 * static_cast<std::ptrdiff_t>(got));
    openmpt_module_destroy(module);
    EXPECT_NEAR(integratedLoudness(cycle), -14.0, 1.0);

    // No frame of the show's 16-bit render at or near full scale: peaks stay
    // a decibel under it.
    const auto [low, high] = std::minmax_element(shown->begin(), shown->begin() + 2 * kCycleFrames);
    EXPECT_LE(std::max(-static_cast<int>(*low), static_cast<int>(*high)), static_cast<int>(32768 * 0.891));
}

TEST_F(ModuleMixTest, stereoImageIsWideAndSumsToMono)
{
    double leftEnergy = 0, rightEnergy = 0, product = 0, mid = 0, side = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kCycleFrames); ++i) {
        const double l = at(i, 0);
        const double r = at(i, 1);
        leftEnergy += l * l;
        rightEnergy += r * r;
        product += l * r;
        mid += (l + r) * (l + r);
        side += (l - r) * (l - r);
    }
    const double correlation = product / std::sqrt(leftEnergy * rightEnergy);
    const double sideUnderMid = 10.0 * std::log10(mid / side);
    EXPECT_GT(correlation, 0.3); // wide: not mono
    EXPECT_LT(correlation, 0.8); // yet not falling apart in mono
    EXPECT_GE(sideUnderMid, 6.0);
    EXPECT_LE(sideUnderMid, 12.0);
}

// Into the next cycle, the largest step between frames is no larger than
// the music's ordinary steps: no click where it loops.
TEST_F(ModuleMixTest, loopsIntoTheNextCycleWithoutAClick)
{
    std::vector<double> steps;
    for (std::size_t i = 1; i < shown->size() / 2; ++i)
        steps.push_back(std::max(std::fabs(at(i, 0) - at(i - 1, 0)), std::fabs(at(i, 1) - at(i - 1, 1))));
    const double seam = *std::max_element(steps.begin() + kCycleFrames - kShowRate / 50,
                                          steps.begin() + kCycleFrames + kShowRate / 50);
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    EXPECT_LE(seam, steps[steps.size() * 999 / 1000]);
}

// At the show's 44.1 kHz the music repeats after exactly one show cycle:
// the next cycle's frames are this one's (up to the output's dither).
TEST_F(ModuleMixTest, repeatsAfterExactlyOneShowCycle)
{
    int largest = 0;
    for (std::size_t i = 2 * 2000; i < 2 * 3000; ++i)
        largest = std::max(largest, std::abs((*shown)[i] - (*shown)[i + 2 * static_cast<std::size_t>(kCycleFrames)]));
    EXPECT_LE(largest, 4);
}

// The cards enter at show times 21.2, 33.2, 39.2, 44.2 and 59.2 (show::cardEntry;
// 0.7 clock units to the second). The row that libopenmpt starts nearest each entry is within 30 ms
// of it and carries a crash or an impact.
TEST_F(ModuleMixTest, everyTitleCardEntersOnARowWithACrashOrAnImpact)
{
    openmpt_module* module = openModule(*bytes);
    for (int card = 1; card <= show::cardCount; ++card) {
        const double showTime = show::cardEntry(card);
        SCOPED_TRACE(showTime);
        const double entry = showTime / (static_cast<double>(show::clockRate) * show::clockStep);
        double nearest = 1e9;
        const XmEvent* crash = nullptr;
        const XmEvent* impact = nullptr;
        for (std::size_t order = 0; order < song->orders.size(); ++order) {
            const XmPattern& pattern = song->patterns[song->orders[order]];
            for (int row = 0; row < pattern.rows; ++row) {
                const double start = openmpt_module_set_position_order_row(module, static_cast<std::int32_t>(order), row);
                if (std::fabs(start - entry) < std::fabs(nearest - entry)) {
                    nearest = start;
                    crash = &pattern.at(row, kCrashChannel);
                    impact = &pattern.at(row, kImpactChannel);
                }
            }
        }
        EXPECT_NEAR(nearest, entry, 0.030);
        ASSERT_NE(crash, nullptr);
        EXPECT_TRUE(crash->instrument == kCrash || impact->instrument == kImpact);
    }
    openmpt_module_destroy(module);
}

} // namespace
