#include "show_files.h"

#include "pcx_writer.h"

#include <cstdio>

namespace {

struct PictureFile {
    const char* name;
    int width;
    int height;
};

constexpr PictureFile showPictures[] = {
    {"data1.pcx", 522, 37}, {"data2.pcx", 538, 38}, {"data3.pcx", 526, 222},
    {"data4.pcx", 494, 44}, {"data5.pcx", 440, 44}, {"data6.pcx", 64, 64},
    {"data7.pcx", 256, 256},
};

std::vector<std::uint8_t> patternedPcx(int width, int height, int seed)
{
    PcxPalette palette;
    for (int i = 0; i < 256; ++i) {
        palette.rgb[i * 3] = static_cast<std::uint8_t>(i);
        palette.rgb[i * 3 + 1] = static_cast<std::uint8_t>((i * 3 + seed * 40) & 0xFF);
        palette.rgb[i * 3 + 2] = static_cast<std::uint8_t>(255 - i);
    }
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            indices[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>((x ^ y) + seed * 17);
    }
    return encodePcx(width, height, indices, palette);
}

void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, unsigned value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putText(std::vector<std::uint8_t>& out, const char* text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(*text != 0 ? *text++ : 0));
}

void putZeros(std::vector<std::uint8_t>& out, std::size_t count)
{
    out.insert(out.end(), count, 0);
}

// One period of a square wave, 32 signed 8-bit samples.
std::vector<std::int8_t> squareWave()
{
    std::vector<std::int8_t> wave(32);
    for (std::size_t i = 0; i < wave.size(); ++i)
        wave[i] = i < wave.size() / 2 ? 96 : -96;
    return wave;
}

constexpr int tuneSteps[8] = {0, 4, 7, 12, 7, 4, 0, -5};

std::vector<std::uint8_t> xmPattern()
{
    std::vector<std::uint8_t> data;
    for (int row = 0; row < 64; ++row) {
        for (int channel = 0; channel < 2; ++channel) {
            if (row % 4 == 0) {
                data.push_back(0x80 | 0x01 | 0x02); // packed: note and instrument follow
                data.push_back(static_cast<std::uint8_t>(49 + tuneSteps[(row / 4) % 8] - channel * 12));
                data.push_back(1);
            } else {
                data.push_back(0x80); // packed, empty
            }
        }
    }
    return data;
}

void putXmInstrument(std::vector<std::uint8_t>& out)
{
    put32(out, 263);
    putText(out, "square", 22);
    out.push_back(0);
    put16(out, 1);   // one sample
    put32(out, 40);  // sample header size
    putZeros(out, 96 + 48 + 48);           // note map, envelopes
    putZeros(out, 2 + 6 + 2 + 4 + 2 + 22); // envelope counts and types, vibrato, fadeout, reserved
    const std::vector<std::int8_t> wave = squareWave();
    put32(out, static_cast<unsigned>(wave.size()));
    put32(out, 0);
    put32(out, static_cast<unsigned>(wave.size()));
    out.push_back(48);  // volume
    out.push_back(0);   // finetune
    out.push_back(1);   // forward loop, 8-bit
    out.push_back(128); // panning
    out.push_back(0);   // relative note
    out.push_back(0);
    putText(out, "square", 22);
    std::int8_t previous = 0;
    for (std::int8_t sample : wave) {
        out.push_back(static_cast<std::uint8_t>(sample - previous)); // stored as deltas
        previous = sample;
    }
}

} // namespace

bool writeShowPictures(const std::string& folder, const std::string& skip)
{
    int seed = 0;
    for (const PictureFile& picture : showPictures) {
        ++seed;
        if (skip == picture.name)
            continue;
        if (!writeFileAtomically(folder + "/" + picture.name,
                                 patternedPcx(picture.width, picture.height, seed)))
            return false;
    }
    return true;
}

std::vector<std::uint8_t> makeXmModule()
{
    std::vector<std::uint8_t> out;
    putText(out, "Extended Module: ", 17);
    putText(out, "kelvor test tune", 20);
    out.push_back(0x1A);
    putText(out, "kelvor tests", 20);
    put16(out, 0x0104);
    put32(out, 276);
    put16(out, 1);   // song length
    put16(out, 0);   // restart position
    put16(out, 2);   // channels
    put16(out, 1);   // patterns
    put16(out, 1);   // instruments
    put16(out, 1);   // linear frequencies
    put16(out, 6);   // ticks per row
    put16(out, 125); // beats per minute
    putZeros(out, 256); // order table: pattern 0 only

    const std::vector<std::uint8_t> pattern = xmPattern();
    put32(out, 9);
    out.push_back(0);
    put16(out, 64);
    put16(out, static_cast<unsigned>(pattern.size()));
    out.insert(out.end(), pattern.begin(), pattern.end());

    putXmInstrument(out);
    return out;
}

std::vector<std::uint8_t> makeModModule()
{
    const std::vector<std::int8_t> wave = squareWave();
    std::vector<std::uint8_t> out;
    putText(out, "kelvor test tune", 20);
    for (int sample = 0; sample < 31; ++sample) {
        putText(out, "", 22);
        const unsigned words = sample == 0 ? static_cast<unsigned>(wave.size() / 2) : 0;
        out.push_back(static_cast<std::uint8_t>(words >> 8)); // lengths are big-endian words
        out.push_back(static_cast<std::uint8_t>(words & 0xFF));
        out.push_back(0);                          // finetune
        out.push_back(sample == 0 ? 48 : 0);       // volume
        out.push_back(0);
        out.push_back(0);                          // loop start
        out.push_back(static_cast<std::uint8_t>(words >> 8));
        out.push_back(static_cast<std::uint8_t>(words == 0 ? 1 : words & 0xFF)); // loop length
    }
    out.push_back(1);   // song length
    out.push_back(127);
    putZeros(out, 128); // order table: pattern 0 only
    putText(out, "M.K.", 4);
    constexpr unsigned periods[8] = {214, 170, 143, 107, 143, 170, 214, 285};
    for (int row = 0; row < 64; ++row) {
        for (int channel = 0; channel < 4; ++channel) {
            const unsigned period = (row % 4 == 0 && channel < 2) ? periods[(row / 4) % 8] << channel : 0;
            const unsigned sample = period != 0 ? 1 : 0;
            out.push_back(static_cast<std::uint8_t>((sample & 0xF0) | (period >> 8)));
            out.push_back(static_cast<std::uint8_t>(period & 0xFF));
            out.push_back(static_cast<std::uint8_t>((sample & 0x0F) << 4));
            out.push_back(0);
        }
    }
    for (std::int8_t sample : wave)
        out.push_back(static_cast<std::uint8_t>(sample));
    return out;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    return writeFileAtomically(path, bytes);
}
