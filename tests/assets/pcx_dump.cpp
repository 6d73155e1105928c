// kelvor-pcx-dump WIDTH HEIGHT PICTURE.pcx OUT.ppm: decodes a picture with
// the show's own loader and writes its pixels as a binary PPM, so that a
// script can hold them against an independent decoder.
#include "image/pcx_reader.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: kelvor-pcx-dump WIDTH HEIGHT PICTURE.pcx OUT.ppm\n");
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    PcxReader reader;
    const std::unique_ptr<Image> image = reader.load(width, height, argv[3]);
    if (image == nullptr || image->pixels() == nullptr) {
        std::fprintf(stderr, "kelvor-pcx-dump: cannot load %s\n", argv[3]);
        return 1;
    }
    std::FILE* out = std::fopen(argv[4], "wb");
    if (out == nullptr)
        return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", image->width(), image->height());
    const long count = static_cast<long>(image->width()) * image->height();
    for (long i = 0; i < count; ++i) {
        const Pixel p = image->pixels()[i];
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
