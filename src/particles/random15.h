// The process-wide 15-bit linear congruential generator. It is never seeded:
// the state starts at 1, so the particle cloud is the same on every run.
// Only the particle field draws from it.
#pragma once

#include <cstdint>

// state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30.
std::int32_t nextRandom();

// The raw state, so that a tool or test can save and restore the sequence.
std::uint32_t randomState();
void setRandomState(std::uint32_t state);
