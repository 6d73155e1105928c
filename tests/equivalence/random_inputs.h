// Reproducible random inputs for the equivalence tests: pixels with any top
// byte, images of a given size, and numbers in ranges.
#pragma once

#include "image/image.h"
#include "support/test_pictures.h"

#include <cstdint>
#include <random>

class RandomInputs {
public:
    explicit RandomInputs(std::uint32_t seed) : engine(seed) {}

    std::int32_t between(std::int32_t low, std::int32_t high)
    {
        return std::uniform_int_distribution<std::int32_t>(low, high)(engine);
    }
    float between(float low, float high)
    {
        return std::uniform_real_distribution<float>(low, high)(engine);
    }
    bool chance(int percent) { return between(0, 99) < percent; }

    // Any 32-bit value, the top byte included.
    Pixel pixel() { return static_cast<Pixel>(engine()); }

    void fill(Image& image, std::int32_t width, std::int32_t height)
    {
        image.resize(width, height);
        for (std::int32_t i = 0; i < image.width() * image.height(); ++i)
            image.pixels()[i] = pixel();
    }

private:
    std::mt19937 engine;
};
