#include "png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// fillRow(y, row) writes output row y; channels is 3 (RGB) or 4 (RGBA).
using RowFiller = std::function<void(int y, png_byte* row)>;

bool encode(std::FILE* file, int width, int height, int channels, const RowFiller& fillRow)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(width) * channels);
    // libpng reports errors by long jump; row is allocated before it is set.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        fillRow(y, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool writeAtomically(const std::string& path, int width, int height, int channels, const RowFiller& fillRow,
                     std::string& error)
{
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path;
        return false;
    }
    const bool encoded = encode(file, width, height, channels, fillRow);
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot write " + path + " (disk full?)";
        return false;
    }
    return true;
}

} // namespace

bool writePng(const std::string& path, const std::uint32_t* pixels, int width, int height,
              int scale, std::string& error)
{
    const RowFiller fillRow = [=](int y, png_byte* out) {
        const std::uint32_t* source = pixels + static_cast<std::size_t>(y / scale) * width;
        for (int x = 0; x < width; ++x) {
            for (int repeat = 0; repeat < scale; ++repeat) {
                *out++ = static_cast<png_byte>(source[x] >> 16);
                *out++ = static_cast<png_byte>(source[x] >> 8);
                *out++ = static_cast<png_byte>(source[x]);
            }
        }
    };
    return writeAtomically(path, width * scale, height * scale, 3, fillRow, error);
}

bool writeRgbaPng(const std::string& path, const std::uint8_t* rgba, int width, int height,
                  std::string& error)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const RowFiller fillRow = [=](int y, png_byte* out) {
        std::memcpy(out, rgba + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    };
    return writeAtomically(path, width, height, 4, fillRow, error);
}
