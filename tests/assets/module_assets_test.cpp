// The generated module as two independent players read it: libopenmpt and
// libxmp must both load it, agree on its layout, read back exactly the
// patterns and samples that were composed, play it for one show cycle, and
// render it loud enough to hear and never at full scale.
#include "demo_song.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// One show cycle: 8000 frames at 70 per second.
constexpr double kShowCycleSeconds = 8000.0 / 70.0;

std::uint32_t little32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

unsigned little16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

class ModuleAssetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        bytes = new std::vector<std::uint8_t>(makeDemoModule());
        song = new XmModule(composeDemoSong());
    }
    static void TearDownTestSuite()
    {
        delete bytes;
        delete song;
    }

    void SetUp() override
    {
        openmpt = openmpt_module_create_from_memory2(bytes->data(), bytes->size(), openmpt_log_func_silent, nullptr,
                                                     openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
        xmp = xmp_create_context();
        xmpLoaded = xmp_load_module_from_memory(xmp, bytes->data(), static_cast<long>(bytes->size())) == 0;
        ASSERT_NE(openmpt, nullptr);
        ASSERT_TRUE(xmpLoaded);
        xmp_get_module_info(xmp, &xmpInfo);
    }
    void TearDown() override
    {
        if (openmpt != nullptr)
            openmpt_module_destroy(openmpt);
        if (xmpLoaded)
            xmp_release_module(xmp);
        xmp_free_context(xmp);
    }

    static std::vector<std::uint8_t>* bytes;
    static XmModule* song;
    openmpt_module* openmpt = nullptr;
    xmp_context xmp = nullptr;
    bool xmpLoaded = false;
    xmp_module_info xmpInfo{};
};

std::vector<std::uint8_t>* ModuleAssetTest::bytes = nullptr;
XmModule* ModuleAssetTest::song = nullptr;

// The fields that make it a version 1.04 module, read straight from the file:
// the song header, then each pattern skipped by its sizes, then each
// instrument's header and its sample header.
TEST_F(ModuleAssetTest, fileIsAVersion104ModuleWithFortyByteSampleHeaders)
{
    const std::vector<std::uint8_t>& b = *bytes;
    ASSERT_GT(b.size(), 336u);
    EXPECT_EQ(std::memcmp(b.data(), "Extended Module: ", 17), 0);
    EXPECT_EQ(b[37], 0x1A);
    EXPECT_EQ(little16(b, 58), 0x0104u);
    EXPECT_EQ(little32(b, 60), 276u);
    const unsigned patterns = little16(b, 70);
    const unsigned instruments = little16(b, 72);
    EXPECT_GE(little16(b, 78), 32u);
    EXPECT_LE(little16(b, 78), 255u);

    std::size_t at = 60 + 276;
    for (unsigned p = 0; p < patterns; ++p)
        at += little32(b, at) + little16(b, at + 7);
    for (unsigned i = 0; i < instruments; ++i) {
        SCOPED_TRACE(i);
        ASSERT_LT(at + 29 + 4, b.size());
        ASSERT_EQ(little16(b, at + 27), 1u); // one sample
        EXPECT_EQ(little32(b, at + 29), 40u);
        const std::size_t sample = at + little32(b, at);
        const std::uint32_t length = little32(b, sample);
        EXPECT_EQ(b[sample + 14] & 0x10, 0x10); // 16-bit
        EXPECT_EQ(b[sample + 17], 0);           // delta coded, not ADPCM
        at = sample + 40 + length;
    }
    EXPECT_EQ(at, b.size());
}

TEST_F(ModuleAssetTest, bothPlayersAgreeOnTheLayoutThatWasComposed)
{
    const int patterns = static_cast<int>(song->patterns.size());
    EXPECT_EQ(openmpt_module_get_num_channels(openmpt), song->channels);
    EXPECT_EQ(xmpInfo.mod->chn, song->channels);
    EXPECT_EQ(openmpt_module_get_num_patterns(openmpt), patterns);
    // libxmp appends one blank pattern of its own to every XM it loads.
    EXPECT_EQ(xmpInfo.mod->pat, patterns + 1);
    EXPECT_EQ(openmpt_module_get_num_instruments(openmpt), static_cast<int>(song->instruments.size()));
    EXPECT_EQ(xmpInfo.mod->ins, static_cast<int>(song->instruments.size()));
    EXPECT_EQ(openmpt_module_get_num_orders(openmpt), static_cast<int>(song->orders.size()));
    EXPECT_EQ(xmpInfo.mod->len, static_cast<int>(song->orders.size()));
}

TEST_F(ModuleAssetTest, playsForOneShowCycleInBothPlayers)
{
    EXPECT_NEAR(openmpt_module_get_duration_seconds(openmpt), kShowCycleSeconds, kShowCycleSeconds * 0.01);
    EXPECT_NEAR(xmpInfo.seq_data[0].duration / 1000.0, kShowCycleSeconds, kShowCycleSeconds * 0.01);
}

// libxmp keeps the cells nearly as stored: notes 12 higher, a released note
// as its own key-off code, volumes 0..64 as 1..65, and a volume slide up in
// the volume column (0x70 + speed) as a second effect with the speed in the
// high nibble.
TEST_F(ModuleAssetTest, patternsReadBackCellForCellAsComposed)
{
    for (std::size_t p = 0; p < song->patterns.size(); ++p) {
        const XmPattern& pattern = song->patterns[p];
        const xmp_pattern* read = xmpInfo.mod->xxp[p];
        ASSERT_EQ(read->rows, pattern.rows);
        int wrong = 0;
        for (int channel = 0; channel < pattern.channels; ++channel) {
            const xmp_track* track = xmpInfo.mod->xxt[read->index[channel]];
            for (int row = 0; row < pattern.rows; ++row) {
                const XmEvent& e = pattern.at(row, channel);
                const xmp_event& r = track->event[row];
                const int note = e.note == kXmKeyOff ? XMP_KEY_OFF : (e.note == 0 ? 0 : e.note + 12);
                const bool slideUp = (e.volume & 0xF0) == 0x70;
                const int volume = e.volume == 0 || slideUp ? 0 : e.volume - 0x0F;
                const bool secondEffect = slideUp ? r.f2t != 0 && r.f2p == (e.volume & 0x0F) << 4 : r.f2t == 0;
                wrong += r.note != note || r.ins != e.instrument || r.vol != volume || r.fxt != e.effect ||
                         r.fxp != e.parameter || !secondEffect;
            }
        }
        EXPECT_EQ(wrong, 0) << "pattern " << p;
    }
}

TEST_F(ModuleAssetTest, samplesReadBackFrameForFrameAsSynthesised)
{
    ASSERT_EQ(xmpInfo.mod->smp, static_cast<int>(song->instruments.size()));
    for (std::size_t i = 0; i < song->instruments.size(); ++i) {
        SCOPED_TRACE(song->instruments[i].name);
        const XmSample& made = song->instruments[i].sample;
        const xmp_sample& read = xmpInfo.mod->xxs[i];
        ASSERT_TRUE(read.flg & XMP_SAMPLE_16BIT);
        ASSERT_EQ(read.len, static_cast<int>(made.data.size()));
        EXPECT_EQ((read.flg & XMP_SAMPLE_LOOP) != 0, made.loopLength > 0);
        if (made.loopLength > 0) {
            EXPECT_EQ(read.lps, static_cast<int>(made.loopStart));
            EXPECT_EQ(read.lpe, static_cast<int>(made.loopStart + made.loopLength));
        }
        std::vector<std::int16_t> frames(made.data.size());
        std::memcpy(frames.data(), read.data, frames.size() * sizeof(std::int16_t));
        EXPECT_EQ(frames, made.data);
    }
}

struct Loudness {
    double peak = 0.0; // of full scale
    double rms = 0.0;
    double quietestSecondRms = 1.0;
    double seconds = 0.0;
};

// Accumulates stereo frames in one-second windows.
class LoudnessMeter {
public:
    explicit LoudnessMeter(int rate) : rate(rate) {}
    void add(double left, double right)
    {
        result.peak = std::max({result.peak, std::fabs(left), std::fabs(right)});
        const double energy = (left * left + right * right) / 2.0;
        total += energy;
        window += energy;
        if (++frames % rate == 0) {
            result.quietestSecondRms = std::min(result.quietestSecondRms, std::sqrt(window / rate));
            window = 0.0;
        }
    }
    Loudness finish()
    {
        result.rms = frames > 0 ? std::sqrt(total / frames) : 0.0;
        result.seconds = static_cast<double>(frames) / rate;
        return result;
    }

private:
    int rate;
    long frames = 0;
    double total = 0.0;
    double window = 0.0;
    Loudness result;
};

TEST_F(ModuleAssetTest, openmptRenderIsAudibleThroughoutAndBelowFullScale)
{
    constexpr int kRate = 48000;
    LoudnessMeter meter(kRate);
    std::vector<float> buffer(2 * 4096);
    for (;;) {
        const std::size_t frames = openmpt_module_read_interleaved_float_stereo(openmpt, kRate, 4096, buffer.data());
        if (frames == 0)
            break;
        for (std::size_t i = 0; i < frames; ++i)
            meter.add(buffer[2 * i], buffer[2 * i + 1]);
    }
    const Loudness loudness = meter.finish();
    EXPECT_NEAR(loudness.seconds, kShowCycleSeconds, kShowCycleSeconds * 0.01);
    EXPECT_LT(loudness.peak, 1.0);
    EXPECT_GT(loudness.rms, 0.03);               // about -30 dBFS
    EXPECT_GT(loudness.quietestSecondRms, 0.01); // no silent second
}

TEST_F(ModuleAssetTest, xmpRenderIsAudibleThroughoutAndNeverClips)
{
    constexpr int kRate = 44100;
    ASSERT_EQ(xmp_start_player(xmp, kRate, 0), 0);
    LoudnessMeter meter(kRate);
    xmp_frame_info frame{};
    while (xmp_play_frame(xmp) == 0) {
        xmp_get_frame_info(xmp, &frame);
        if (frame.loop_count > 0)
            break;
        const auto* samples = static_cast<const std::int16_t*>(frame.buffer);
        for (int i = 0; i + 1 < frame.buffer_size / 2; i += 2)
            meter.add(samples[i] / 32768.0, samples[i + 1] / 32768.0);
    }
    xmp_end_player(xmp);
    const Loudness loudness = meter.finish();
    EXPECT_NEAR(loudness.seconds, kShowCycleSeconds, kShowCycleSeconds * 0.01);
    // The mixer saturates at the 16-bit limits: a peak below them means no
    // frame was clipped.
    EXPECT_LT(loudness.peak, 32767.0 / 32768.0);
    EXPECT_GT(loudness.rms, 0.03);
    EXPECT_GT(loudness.quietestSecondRms, 0.01);
}

} // namespace
