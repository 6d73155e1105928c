// libFuzzer target for the PCX loader: any byte string, as a picture file,
// loaded at one of the sizes the show asks for. Besides the sanitizers'
// checks it traps on a picture of the wrong size, a pixel with a non-zero
// top byte, or a pixel that is neither 0 nor a colour of the file's palette
// (which would mean a pixel the decoder never wrote, or a stray index).
#include "fuzz_inputs.h"
#include "image/pcx_reader.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// The loader opens files by name; an in-memory file reached through
// /proc/self/fd is a regular file that costs no disk and leaves nothing behind.
class MemoryFile {
public:
    MemoryFile() : fd(memfd_create("kelvor-fuzz.pcx", 0))
    {
        if (fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        path = "/proc/self/fd/" + std::to_string(fd);
    }

    void write(const std::uint8_t* data, std::size_t size)
    {
        if (ftruncate(fd, 0) != 0 ||
            (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))) {
            std::perror("writing the picture");
            std::abort();
        }
    }

    const char* name() const { return path.c_str(); }

private:
    int fd;
    std::string path;
};

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The oracle runs on every pixel, so it is kept out of the coverage
// instrumentation: a set bit per palette colour in a 2^24-bit map.
__attribute__((no_sanitize("coverage"))) void checkPixelsComeFromPalette(const Image& image,
                                                                       const std::int32_t* palette)
{
    static std::vector<std::uint64_t> colourSet(std::size_t{1} << 18);
    std::array<Pixel, 257> colours;
    for (int k = 0; k < 256; ++k) {
        const std::int32_t* entry = palette + 3 * k;
        check(entry[0] >= 0 && entry[0] <= 255 && entry[1] >= 0 && entry[1] <= 255 &&
              entry[2] >= 0 && entry[2] <= 255);
        colours[k] = static_cast<Pixel>((entry[0] << 16) | (entry[1] << 8) | entry[2]);
    }
    colours[256] = 0;
    for (Pixel colour : colours)
        colourSet[colour >> 6] |= std::uint64_t{1} << (colour & 63);

    const Pixel* pixels = image.pixels();
    const std::size_t count = static_cast<std::size_t>(image.width()) * image.height();
    Pixel checked = 0; // 0 is always allowed; runs repeat a pixel many times
    for (std::size_t i = 0; i < count; ++i) {
        const Pixel pixel = pixels[i];
        if (pixel == checked)
            continue;
        check((pixel >> 24) == 0);
        check((colourSet[pixel >> 6] >> (pixel & 63) & 1) != 0);
        checked = pixel;
    }

    for (Pixel colour : colours)
        colourSet[colour >> 6] = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    static PcxReader reader;
    file.write(data, size);

    const show::File& picture = loaderPictureFor(data, size);
    const std::unique_ptr<Image> image = reader.load(picture.width, picture.height, file.name());
    check(image != nullptr);
    check(image->width() == picture.width && image->height() == picture.height);
    checkPixelsComeFromPalette(*image, reader.palette());
    return 0;
}
