// Writes 256-colour PCX pictures: the 128-byte header, run-length coded
// indices with one stored line per row (bytes per line = width, padded to an
// even count as the format asks), the 0x0C marker and the 768-byte palette.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PcxPalette {
    std::array<std::uint8_t, 768> rgb{}; // 256 entries of red, green, blue
};

// The whole file as bytes. indices holds width x height colour indices.
std::vector<std::uint8_t> encodePcx(int width, int height,
                                    const std::vector<std::uint8_t>& indices,
                                    const PcxPalette& palette);

// Writes the bytes to a temporary name and renames it into place, so that a
// failed write leaves no half-written file. False when the file can't be written.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
