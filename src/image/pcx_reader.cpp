#include "image/pcx_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr long kHeaderSize = 128;
constexpr long kPaletteSize = 768;
constexpr int kRunMarker = 0xC0;

// A stretch of the file read with one call. Bytes the file does not hold
// read as 255, as reading past the end of the file does.
class FileStretch {
public:
    // Up to length bytes from offset on; fewer when the file ends first.
    FileStretch(std::FILE* file, long offset, std::size_t length) : bytes(length)
    {
        const bool placed = std::fseek(file, offset, SEEK_SET) == 0;
        bytes.resize(placed ? std::fread(bytes.data(), 1, length, file) : 0);
    }

    int at(std::size_t i) const { return i < bytes.size() ? bytes[i] : 255; }

private:
    std::vector<std::uint8_t> bytes;
};

// The size of a regular file, or -1 for anything else (a folder, a device).
long regularFileSize(std::FILE* file)
{
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
    return static_cast<long>(status.st_size);
}

Pixel paletteColour(const std::int32_t* palette, int index)
{
    const std::int32_t* entry = palette + 3 * index;
    return static_cast<Pixel>((entry[0] * 256 + entry[1]) * 256 + entry[2]);
}

// Expands the run-length coded indices into count pixels. Each code takes
// one or two bytes and moves on at least one pixel, so no more than
// 2 x count bytes are ever read.
void decode(const FileStretch& codes, const Pixel* colours, Pixel* pixels, std::int64_t count)
{
    std::size_t next = 0;
    std::int64_t i = 0;
    while (i < count) {
        const int n = codes.at(next++);
        if (n < kRunMarker) {
            pixels[i] = colours[n];
        } else {
            const int colourIndex = codes.at(next++);
            const Pixel value = colourIndex == 0 ? 0 : colours[colourIndex];
            const int repeats = n - kRunMarker;
            for (int r = 0; r < repeats; ++r) {
                pixels[i] = value;
                if (r != repeats - 1 && i < count - 1)
                    ++i;
            }
        }
        ++i;
    }
}

} // namespace

PcxReader::PcxReader() : paletteEntries(new std::int32_t[3 * 256]) {}

std::unique_ptr<Image> PcxReader::load(std::int32_t width, std::int32_t height, const char* fileName)
{
    // Only regular files are pictures. Checked before opening too, since
    // opening a named pipe would wait for a writer that may never come.
    struct stat status;
    if (stat(fileName, &status) == 0 && !S_ISREG(status.st_mode))
        return nullptr;
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr)
        return nullptr;
    const long size = regularFileSize(file);
    if (size < 0) {
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

    // The palette is the last 768 bytes; a file shorter than that has its
    // palette read from its start, and the end reads as 255.
    const FileStretch paletteBytes(file, size >= kPaletteSize ? size - kPaletteSize : 0, kPaletteSize);
    std::int32_t* palette = paletteEntries.get();
    for (int i = 0; i < 3 * 256; ++i)
        palette[i] = paletteBytes.at(static_cast<std::size_t>(i));
    Pixel colours[256];
    for (int k = 0; k < 256; ++k)
        colours[k] = paletteColour(palette, k);

    const std::int64_t available = size > kHeaderSize ? size - kHeaderSize : 0;
    const std::int64_t needed = std::min<std::int64_t>(available, 2 * count);
    const FileStretch codes(file, kHeaderSize, static_cast<std::size_t>(needed));
    decode(codes, colours, pixels, count);

    std::fclose(file);
    return image;
}
