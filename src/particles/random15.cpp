#include "particles/random15.h"

namespace {

// The one process-wide generator state; never seeded, so it starts at 1.
std::uint32_t generatorState = 1u;

} // namespace

std::int32_t nextRandom()
{
    // Unsigned arithmetic wraps modulo 2^32, as the generator requires.
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<std::int32_t>((generatorState >> 16) & 0x7FFFu);
}

std::uint32_t randomState()
{
    return generatorState;
}

void setRandomState(std::uint32_t state)
{
    generatorState = state;
}
