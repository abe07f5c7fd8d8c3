#pragma once

#include "display/PixelTypes.h"

// The five colours the effect cycles take in turn; float 0 is unused.
constexpr int effectColourCount = 5;
extern const FloatPixel effectPalette[effectColourCount];
