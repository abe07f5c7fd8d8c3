#include "intro/Background.h"

#include "intro/IntroState.h"
#include "intro/Random.h"

#include <cstring>

namespace {
constexpr int brightenings = 400;
constexpr int darkenings = 500;
constexpr float brightenStep = 0.05f;
constexpr float darkenStep = 0.1f;

// One random pixel of the background: the column is drawn first, then the row.
FloatPixel& randomPixel()
{
    const int x = drawRandom() % introWidth;
    const int y = drawRandom() % introHeight;
    return noiseBuffer[y * introWidth + x];
}
}

void addNoise()
{
    for (int n = 0; n < brightenings; ++n) {
        FloatPixel& pixel = randomPixel();
        pixel.red = pixel.red + brightenStep;
        pixel.green = pixel.green + brightenStep;
        pixel.blue = pixel.blue + brightenStep;
    }
    // More is taken away than added, so the field darkens slowly; nothing is clamped.
    for (int n = 0; n < darkenings; ++n) {
        FloatPixel& pixel = randomPixel();
        pixel.red = pixel.red - darkenStep;
        pixel.green = pixel.green - darkenStep;
        pixel.blue = pixel.blue - darkenStep;
    }
}

void copyBackground()
{
    std::memcpy(frameBuffer, noiseBuffer, sizeof frameBuffer);
}
