#pragma once

#include <cmath>

// Sines and cosines of single-precision arguments, taken in double precision
// and rounded back to single precision, so that every build and every platform
// computes the same picture to the bit.
inline float sinOf(float x)
{
    return static_cast<float>(std::sin(static_cast<double>(x)));
}

inline float cosOf(float x)
{
    return static_cast<float>(std::cos(static_cast<double>(x)));
}
