#pragma once

#include <cstdint>

// One pixel of a floating-point frame: float 0 carries no meaning, then blue,
// green and red, nominally 0 to 1. Values outside that range are legal and are
// clamped only when a frame is converted for the screen.
struct FloatPixel {
    float unused;
    float blue;
    float green;
    float red;
};
static_assert(sizeof(FloatPixel) == 16);

// One pixel of an integer frame: blue in bits 0-7, green 8-15, red 16-23.
// Bits 24-31 are ignored by every conversion except the plain copy.
using IntPixel = std::uint32_t;
