#pragma once

#include <cstdint>

// The kind of frame the application prefers to hand over. A floating-point
// preference makes the Direct3D output try a floating-point back buffer first.
enum PixelMode : std::int32_t {
    ModeInteger = 0,
    ModeFloat = 1,
};

// Where the picture goes. OutputDefault leaves the choice to the implementation.
enum OutputMode : std::int32_t {
    OutputDefault = 0,
    OutputWindowed = 1,
    OutputFullscreen = 2,
};
