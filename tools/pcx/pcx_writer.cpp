#include "pcx_writer.h"

#include <cstdio>

namespace {

void putLittle16(std::vector<std::uint8_t>& out, std::size_t at, int value)
{
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// One stored line: runs of up to 63 equal bytes; a single byte below 0xC0 is
// stored as itself, anything else as a run.
void encodeLine(std::vector<std::uint8_t>& out, const std::uint8_t* line, int length)
{
    int x = 0;
    while (x < length) {
        const std::uint8_t value = line[x];
        int run = 1;
        while (x + run < length && run < 63 && line[x + run] == value)
            ++run;
        if (run == 1 && value < 0xC0) {
            out.push_back(value);
        } else {
            out.push_back(static_cast<std::uint8_t>(0xC0 | run));
            out.push_back(value);
        }
        x += run;
    }
}

} // namespace

std::vector<std::uint8_t> encodePcx(int width, int height,
                                    const std::vector<std::uint8_t>& indices,
                                    const PcxPalette& palette)
{
    const int bytesPerLine = width + (width & 1);
    std::vector<std::uint8_t> out(128, 0);
    out[0] = 10; // manufacturer
    out[1] = 5;  // version
    out[2] = 1;  // run-length encoding
    out[3] = 8;  // bits per pixel
    putLittle16(out, 4, 0);
    putLittle16(out, 6, 0);
    putLittle16(out, 8, width - 1);
    putLittle16(out, 10, height - 1);
    putLittle16(out, 12, 72);
    putLittle16(out, 14, 72);
    out[65] = 1; // planes
    putLittle16(out, 66, bytesPerLine);
    putLittle16(out, 68, 1); // colour palette

    std::vector<std::uint8_t> line(static_cast<std::size_t>(bytesPerLine), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            line[static_cast<std::size_t>(x)] = indices[static_cast<std::size_t>(y) * width + x];
        encodeLine(out, line.data(), bytesPerLine);
    }
    out.push_back(0x0C);
    out.insert(out.end(), palette.rgb.begin(), palette.rgb.end());
    return out;
}

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
