#include "intro/Background.h"

#include "intro/IntroState.h"

#include <cstring>

void addNoise()
{
}

void copyBackground()
{
    std::memcpy(frameBuffer, noiseBuffer, sizeof frameBuffer);
}
