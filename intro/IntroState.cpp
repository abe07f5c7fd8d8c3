#include "intro/IntroState.h"

// Static storage: zero-filled before the entry function runs.
FloatPixel frameBuffer[introPixelCount];
FloatPixel noiseBuffer[introPixelCount];
float introTime = 0.0f;
std::int32_t frameCount = 0;
std::int32_t lineCount = 0;
