// Runs code at a chosen instruction-set level and goes back to the level in
// use before when the scope ends, so that the order of tests does not matter.
#pragma once

#include "fx/simd_level.h"

#include <gtest/gtest.h>

#include <string>

class ScopedSimdLevel {
public:
    explicit ScopedSimdLevel(SimdLevel level) : saved(simdLevel())
    {
        EXPECT_TRUE(setSimdLevel(level)) << simdLevelName(level);
    }
    ~ScopedSimdLevel() { setSimdLevel(saved); }
    ScopedSimdLevel(const ScopedSimdLevel&) = delete;
    ScopedSimdLevel& operator=(const ScopedSimdLevel&) = delete;

private:
    SimdLevel saved;
};

// For parameterised tests over availableSimdLevels().
inline std::string simdLevelTestName(const ::testing::TestParamInfo<SimdLevel>& info)
{
    return simdLevelName(info.param);
}
