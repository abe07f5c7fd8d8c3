#pragma once

#include <cstdint>

// The background's random generator: a linear congruential generator whose
// state starts at 1 and is never re-seeded while the intro runs.

// Advances the state and returns bits 16 to 30 of the new state (0 to 32767).
int drawRandom();

// Puts the generator back to its start state. For tests and tools that replay
// a run from its first frame; the intro itself never calls it.
void resetRandom();
