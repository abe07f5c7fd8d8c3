#pragma once

#include "display/PixelTypes.h"

#include <cstdint>

// The intro's program-wide state. It exists once, is zero before the entry
// function runs, and is never reallocated.

constexpr int introWidth = 400;
constexpr int introHeight = 300;
constexpr int introPixelCount = introWidth * introHeight;

// The picture of the current frame, rebuilt every frame.
extern FloatPixel frameBuffer[introPixelCount];
// The background, kept from frame to frame.
extern FloatPixel noiseBuffer[introPixelCount];
// Animation time: grows by 0.08 per frame, never wrapped.
extern float introTime;
// Incremented at the start of every frame: 1 during the first.
extern std::int32_t frameCount;
// The scroller's line counter.
extern std::int32_t lineCount;
