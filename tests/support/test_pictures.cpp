#include "support/test_pictures.h"

#include "image/frame_hash.h"
#include "scene/show_facts.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

void fillImage(Image& image, std::int32_t width, std::int32_t height, Pixel value)
{
    image.resize(width, height);
    for (std::int32_t i = 0; i < width * height; ++i)
        image.pixels()[i] = value;
}

std::uint64_t hashPixels(const Pixel* pixels, std::size_t count)
{
    return frameHash(pixels, count);
}

std::uint64_t imageHash(const Image& image)
{
    return frameHash(image.pixels(), static_cast<std::size_t>(image.width()) * image.height());
}

bool samePixels(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (std::int32_t i = 0; i < a.width() * a.height(); ++i)
        if (a.pixels()[i] != b.pixels()[i])
            return false;
    return true;
}

std::string frameFault(const Image& frame)
{
    if (frame.width() != show::screenWidth || frame.height() != show::screenHeight || frame.pixels() == nullptr)
        return "the frame is not the screen size";
    const Pixel* pixels = frame.pixels();
    for (std::int32_t i = 0; i < show::screenWidth * show::screenHeight; ++i) {
        if ((pixels[i] >> 24) != 0)
            return "pixel " + std::to_string(i) + " has a non-zero top byte";
    }
    for (std::int32_t x = 0; x < show::screenWidth; ++x) {
        if (pixels[(show::screenHeight - 1) * show::screenWidth + x] != 0)
            return "the bottom row is not black at column " + std::to_string(x);
    }
    return "";
}

bool frameIsBlack(const Image& frame)
{
    for (std::int32_t i = 0; i < frame.width() * frame.height(); ++i) {
        if (frame.pixels()[i] != 0)
            return false;
    }
    return true;
}

TemporaryFolder::TemporaryFolder()
{
    // Under $TMPDIR when it is set, as mktemp does: the test command points
    // it at a folder of its own and fails the run on anything left there.
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/kelvor-test-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    if (made == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    folder = made;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
