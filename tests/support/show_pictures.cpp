#include "support/show_pictures.h"

#include "pcx_writer.h"
#include "scene/show_facts.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {

// The pictures are the show's first seven files, at the sizes the scene loads.
constexpr ShowPicture picture(int index)
{
    return {show::files[index].name, show::files[index].width, show::files[index].height};
}
const ShowPicture kPictures[7] = {picture(0), picture(1), picture(2), picture(3),
                                  picture(4), picture(5), picture(6)};

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

std::vector<std::uint8_t> glowIndices()
{
    std::vector<std::uint8_t> indices(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double r = std::hypot(x - 31.5, y - 31.5) / 30.0;
            indices[y * 64 + x] = static_cast<std::uint8_t>(r >= 1 ? 0 : 255 * (1 - r) * (1 - r));
        }
    return indices;
}

std::vector<std::uint8_t> hillIndices()
{
    std::vector<std::uint8_t> indices(256 * 256);
    const double turn = 6.283185307179586 / 256;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const double h = 128 + 60 * std::sin(3 * x * turn) * std::cos(2 * y * turn) +
                             40 * std::sin((5 * x + 7 * y) * turn) + 20 * std::cos(11 * y * turn);
            indices[y * 256 + x] = static_cast<std::uint8_t>(h < 0 ? 0 : (h > 255 ? 255 : h));
        }
    return indices;
}

} // namespace

const ShowPicture& showPicture(int number)
{
    return kPictures[number - 1];
}

void writeShowPictures(const std::string& folder)
{
    for (int number = 1; number <= 7; ++number) {
        const ShowPicture& picture = showPicture(number);
        std::vector<std::uint8_t> indices;
        PcxPalette palette;
        if (number <= 5) {
            indices = cardIndices(number, picture.width, picture.height);
            palette = rampPalette(4 - number % 2, 2 + number % 3, 4);
        } else if (number == 6) {
            indices = glowIndices();
            palette = rampPalette(4, 3, 2);
        } else {
            indices = hillIndices();
            palette = rampPalette(2, 3, 4);
        }
        const std::string path = folder + "/" + picture.name;
        if (!writeFileAtomically(path, encodePcx(picture.width, picture.height, indices, palette)))
            throw std::runtime_error("cannot write " + path);
    }
}
