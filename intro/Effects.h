#pragma once

#include "display/PixelTypes.h"

// Draws the effect of the current phase into frameBuffer.
void drawEffects();

// The two stretches that draw, for phase value t and one palette colour. They
// add into the effect rectangle of frameBuffer, columns 160-359, rows 100-259.
void drawWipe(float t, const FloatPixel& colour);
void drawWaves(float t, const FloatPixel& colour);
