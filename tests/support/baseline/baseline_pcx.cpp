// The picture loader reading the file byte by byte through the stream, and
// working out each palette colour where it is used.
#include "support/baseline/baseline.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace baseline {
namespace {

constexpr long kHeaderSize = 128;
constexpr long kPaletteSize = 768;
constexpr int kRunMarker = 0xC0;

int readByte(std::FILE* file)
{
    const int byte = std::getc(file);
    return byte == EOF ? 255 : byte;
}

bool isRegularFile(std::FILE* file)
{
    struct stat status;
    return fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode);
}

Pixel paletteColour(const std::int32_t* palette, int index)
{
    const std::int32_t* entry = palette + 3 * index;
    return static_cast<Pixel>((entry[0] * 256 + entry[1]) * 256 + entry[2]);
}

} // namespace

std::unique_ptr<Image> loadPcx(std::int32_t width, std::int32_t height, const char* fileName,
                               std::int32_t* palette)
{
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr)
        return nullptr;
    if (!isRegularFile(file)) {
        std::fclose(file);
        return nullptr;
    }

    std::unique_ptr<Image> image(new Image);
    image->resize(width, height);
    Pixel* pixels = image->pixels();
    const std::int64_t count = static_cast<std::int64_t>(image->width()) * image->height();
    if (pixels != nullptr)
        std::memset(pixels, 0, static_cast<std::size_t>(count) * sizeof(Pixel));

    std::fseek(file, -kPaletteSize, SEEK_END);
    for (int i = 0; i < 3 * 256; ++i)
        palette[i] = readByte(file);

    std::fseek(file, kHeaderSize, SEEK_SET);
    std::int64_t i = 0;
    while (i < count) {
        const int n = readByte(file);
        if (n < kRunMarker) {
            pixels[i] = paletteColour(palette, n);
        } else {
            const int colourIndex = readByte(file);
            const Pixel value = colourIndex == 0 ? 0 : paletteColour(palette, colourIndex);
            const int repeats = n - kRunMarker;
            for (int r = 0; r < repeats; ++r) {
                pixels[i] = value;
                if (r != repeats - 1 && i < count - 1)
                    ++i;
            }
        }
        ++i;
    }

    std::fclose(file);
    return image;
}

} // namespace baseline
