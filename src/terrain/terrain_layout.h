// Fixed sizes of the terrain walk, shared by its construction and its
// column renderer.
#pragma once

#include <cstdint>

namespace terrain {

constexpr std::int32_t kDepthSteps = 256;    // samples along every column's ray
constexpr std::int32_t kAngleMask = 0x7FF;   // 2048 angle steps per turn
constexpr std::int32_t kHighestLand = 255;   // the greatest height a map can hold

} // namespace terrain
