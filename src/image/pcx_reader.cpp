#include "image/pcx_reader.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr long kHeaderSize = 128;
constexpr long kPaletteSize = 768;
constexpr int kRunMarker = 0xC0;

// Reads one byte; a read past the end of the file counts as 255.
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

PcxReader::PcxReader() : paletteEntries(new std::int32_t[3 * 256]) {}

std::unique_ptr<Image> PcxReader::load(std::int32_t width, std::int32_t height, const char* fileName)
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
    // Cleared first, so that every pixel has a defined value even when a
    // damaged stream skips one (a run of length 0).
    if (pixels != nullptr)
        std::memset(pixels, 0, static_cast<std::size_t>(count) * sizeof(Pixel));

    // A file shorter than the palette cannot seek before its start: the seek
    // fails, reading goes on from the start, and the end reads as 255.
    std::fseek(file, -kPaletteSize, SEEK_END);
    std::int32_t* palette = paletteEntries.get();
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
