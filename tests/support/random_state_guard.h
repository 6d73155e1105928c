// Restores the process-wide generator state when a test ends, so that the
// order in which the tests run does not matter.
#pragma once

#include "particles/random15.h"

#include <cstdint>

class RandomStateGuard {
public:
    RandomStateGuard() : saved(randomState()) {}
    ~RandomStateGuard() { setRandomState(saved); }
    RandomStateGuard(const RandomStateGuard&) = delete;
    RandomStateGuard& operator=(const RandomStateGuard&) = delete;

private:
    std::uint32_t saved;
};
