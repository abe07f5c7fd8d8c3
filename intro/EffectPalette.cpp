#include "intro/EffectPalette.h"

// Fields in FloatPixel order: unused, blue, green, red.
const FloatPixel effectPalette[effectColourCount] = {
    {0.0f, 0.9f, 0.4f, 0.7f},
    {0.0f, 0.4f, 0.9f, 0.7f},
    {0.0f, 0.4f, 0.7f, 0.9f},
    {0.0f, 0.7f, 0.9f, 0.7f},
    {0.0f, 0.4f, 0.9f, 0.4f},
};
