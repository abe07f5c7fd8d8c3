#include "intro/Effects.h"

#include "intro/EffectPalette.h"
#include "intro/EffectPhase.h"
#include "intro/FloatMath.h"
#include "intro/IntroState.h"

namespace {
constexpr int rectLeft = 160;
constexpr int rectTop = 100;
constexpr int rectWidth = 200;
constexpr int rectHeight = 160;

// Rectangle pixel (i, j) in frameBuffer.
FloatPixel& rectPixel(int i, int j)
{
    return frameBuffer[(rectTop + j) * introWidth + rectLeft + i];
}
}

void drawWipe(float t, const FloatPixel& colour)
{
    for (int j = 0; j < rectHeight; ++j) {
        const float row = static_cast<float>(j);
        const float a = 0.05f * row;
        const float b = 0.03f * row;
        // The front, with a ripple that changes every frame.
        const float threshold = 20.0f * (sinOf(300.0f * t + a) + 1.0f) * cosOf(5.0f * t + b) + 800.0f - 250.0f * t;
        for (int i = 0; i < rectWidth; ++i) {
            if (static_cast<float>(i) > threshold) {
                FloatPixel& pixel = rectPixel(i, j);
                pixel.red = pixel.red + colour.red;
                pixel.green = pixel.green + colour.green;
                pixel.blue = pixel.blue + colour.blue;
            }
        }
    }
}

void drawWaves(float t, const FloatPixel& colour)
{
    const float m = waveRamp(t);
    const float f = waveFade(t);
    const float amp = m * f;
    const float addRed = f * colour.red;
    const float addGreen = f * colour.green;
    const float addBlue = f * colour.blue;
    const float u = 150.0f * t;
    for (int j = 0; j < rectHeight; ++j) {
        const float row = static_cast<float>(j);
        const float s1 = sinOf(0.05f * row);
        const float s2 = sinOf((row - 123.0f * t) * 0.023255814f); // 1/43 in single precision
        for (int i = 0; i < rectWidth; ++i) {
            const float column = static_cast<float>(i);
            FloatPixel& pixel = rectPixel(i, j);
            pixel.red = pixel.red + addRed;
            pixel.green = pixel.green + addGreen;
            pixel.blue = pixel.blue + addBlue;
            // The same value darkens or brightens all three channels evenly.
            const float w = amp * (cosOf((u + column) * 0.018f) * s1 + sinOf(t + 0.05f * column) * s2);
            pixel.red = pixel.red - w;
            pixel.green = pixel.green - w;
            pixel.blue = pixel.blue - w;
        }
    }
}

void drawEffects()
{
    const float t = effectPhase(introTime);
    const FloatPixel& colour = effectPalette[effectColourIndex(introTime)];
    switch (effectStretch(t)) {
    case StretchNothing:
        break;
    case StretchWipe:
        drawWipe(t, colour);
        break;
    case StretchWaves:
        drawWaves(t, colour);
        break;
    }
}
