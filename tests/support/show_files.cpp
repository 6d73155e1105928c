#include "support/show_files.h"

#include "pcx_writer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Index 0 black, then a ramp from deep colour to white; entry 255 has blue 255.
PcxPalette rampPalette(int redWeight, int greenWeight, int blueWeight)
{
    PcxPalette palette;
    for (int k = 0; k < 256; ++k) {
        palette.rgb[3 * k] = static_cast<std::uint8_t>(k * redWeight / 4);
        palette.rgb[3 * k + 1] = static_cast<std::uint8_t>(k * greenWeight / 4);
        palette.rgb[3 * k + 2] = static_cast<std::uint8_t>(k * blueWeight / 4);
    }
    return palette;
}

std::vector<std::uint8_t> cardIndices(int number, int width, int height)
{
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height, 0);
    for (int y = 2; y < height - 2; ++y)
        for (int x = 0; x < width; ++x)
            if (((x / 7 + number) % 3) != 0 && ((x + y) % 11) < 8)
                indices[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>(80 + (x * 170) / width);
    return indices;
}

std::vector<std::uint8_t> glowIndices(int width, int height)
{
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
    const double radius = std::min(width, height) / 2 - 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double r = std::hypot(x - (width - 1) / 2.0, y - (height - 1) / 2.0) / radius;
            indices[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint8_t>(r >= 1 ? 0 : 255 * (1 - r) * (1 - r));
        }
    return indices;
}

// The terrain map is square (the scene insists), so one turn serves both axes.
std::vector<std::uint8_t> hillIndices(int width, int height)
{
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
    const double turn = 6.283185307179586 / width;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double h = 128 + 60 * std::sin(3 * x * turn) * std::cos(2 * y * turn) +
                             40 * std::sin((5 * x + 7 * y) * turn) + 20 * std::cos(11 * y * turn);
            indices[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint8_t>(h < 0 ? 0 : (h > 255 ? 255 : h));
        }
    return indices;
}

std::vector<std::uint8_t> picture(const show::File& file)
{
    const int width = file.width;
    const int height = file.height;
    if (file.part == show::Part::sprite)
        return encodePcx(width, height, glowIndices(width, height), rampPalette(4, 3, 2));
    if (file.part == show::Part::terrain)
        return encodePcx(width, height, hillIndices(width, height), rampPalette(2, 3, 4));
    const int card = static_cast<int>(file.part) - static_cast<int>(show::Part::title1) + 1;
    return encodePcx(width, height, cardIndices(card, width, height), rampPalette(4 - card % 2, 2 + card % 3, 4));
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

const show::File& showPicture(int number)
{
    for (const show::File& file : show::files)
        if (file.width > 0 && --number == 0)
            return file;
    return show::files[0];
}

std::vector<std::uint8_t> showFileBytes(const show::File& file)
{
    return file.part == show::Part::music ? makeXmModule() : picture(file);
}

bool writeShowFiles(const std::string& folder)
{
    for (const show::File& file : show::files)
        if (!writeFileAtomically(folder + "/" + file.name, showFileBytes(file)))
            return false;
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
