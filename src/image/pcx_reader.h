// PcxReader: decodes a 256-colour PCX picture into a new Image of a size the
// caller gives. The 128-byte header is not read; the palette is the file's
// last 768 bytes; the run-length coded indices from byte 128 on fill the
// picture with no per-row structure.
#pragma once

#include "image/image.h"

#include <cstdint>
#include <memory>

class PcxReader {
public:
    PcxReader();
    PcxReader(const PcxReader&) = delete;
    PcxReader& operator=(const PcxReader&) = delete;

    // The picture, or none when the file cannot be opened as a regular file.
    // Damaged content never fails: reads past the end count as byte 255.
    std::unique_ptr<Image> load(std::int32_t width, std::int32_t height, const char* fileName);

    // Palette of the picture loaded last, as 256 (red, green, blue) triples.
    const std::int32_t* palette() const { return paletteEntries.get(); }

private:
    std::unique_ptr<std::int32_t[]> paletteEntries;
};
