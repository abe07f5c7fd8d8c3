#pragma once

#include "intro/IntroState.h"
#include "intro/Random.h"

#include <gtest/gtest.h>

#include <cstring>

// Puts the intro's program-wide state back to how the program starts: both
// buffers zero, time and counters zero, the generator at its start state.
inline void resetPicture()
{
    std::memset(frameBuffer, 0, sizeof frameBuffer);
    std::memset(noiseBuffer, 0, sizeof noiseBuffer);
    introTime = 0.0f;
    frameCount = 0;
    lineCount = 0;
    resetRandom();
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { resetPicture(); }

    static const FloatPixel& pixelAt(int x, int y) { return frameBuffer[y * introWidth + x]; }

    // True when floats 1 to 3 of every frameBuffer pixel are zero.
    static bool frameIsBlank()
    {
        for (const FloatPixel& pixel : frameBuffer) {
            if (pixel.blue != 0.0f || pixel.green != 0.0f || pixel.red != 0.0f) {
                return false;
            }
        }
        return true;
    }
};
