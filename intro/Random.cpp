#include "intro/Random.h"

namespace {
constexpr std::uint32_t startState = 1;
constexpr std::uint32_t multiplier = 214013;
constexpr std::uint32_t increment = 2531011;

// Unsigned, so the arithmetic wraps modulo 2^32.
std::uint32_t randomState = startState;
}

int drawRandom()
{
    randomState = randomState * multiplier + increment;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

void resetRandom()
{
    randomState = startState;
}
