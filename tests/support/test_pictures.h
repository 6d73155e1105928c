// Pictures made and checked by the tests: solid images, checksums, the
// invariants of a finished frame, and temporary folders to write files to.
#pragma once

#include "image/image.h"

#include <cstdint>
#include <string>

// An image of the given size with every pixel set to value.
void fillImage(Image& image, std::int32_t width, std::int32_t height, Pixel value);

// The frame checksum (image/frame_hash.h) of count pixels, or of an image.
std::uint64_t hashPixels(const Pixel* pixels, std::size_t count);
std::uint64_t imageHash(const Image& image);

// Whether two images have the same size and the same pixels.
bool samePixels(const Image& a, const Image& b);

// The invariants of every finished frame: each pixel's top byte is 0 (the
// effects rely on it) and the bottom row is black (no effect draws there).
// Returns an empty string when they hold, else what broke.
std::string frameFault(const Image& frame);

// True when every pixel is black.
bool frameIsBlack(const Image& frame);

// A fresh, empty temporary folder, removed with everything in it when the
// object goes, so that a test leaves nothing behind.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return folder; }
    // The path of a file in it.
    std::string operator/(const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};
