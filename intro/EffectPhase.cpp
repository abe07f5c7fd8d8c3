#include "intro/EffectPhase.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float cycleLength = 12.0f;
constexpr float cycleRate = 0.083333336f; // 1/12 in single precision
constexpr int colourCount = 5;
constexpr float wipeStart = 2.0f;
constexpr float wavesStart = 3.5f;
constexpr float rampTop = 0.7f;
constexpr float fadeStart = 10.0f;
constexpr float fadeRate = 0.8f;
}

float effectPhase(float time)
{
    // fmod of floats is exact, and keeps the sign of the time.
    return std::fmod(time, cycleLength);
}

int effectColourIndex(float time)
{
    return static_cast<int>(time * cycleRate) % colourCount;
}

EffectStretch effectStretch(float t)
{
    if (t < wipeStart) {
        return StretchNothing;
    }
    if (t < wavesStart) {
        return StretchWipe;
    }
    return StretchWaves;
}

float waveRamp(float t)
{
    return std::min(t - wavesStart, rampTop);
}

float waveFade(float t)
{
    if (t <= fadeStart) {
        return 1.0f;
    }
    return 1.0f - std::min(fadeRate * (t - fadeStart), 1.0f);
}
