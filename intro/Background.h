#pragma once

// Changes the persistent background in noiseBuffer.
void addNoise();
// Copies noiseBuffer over frameBuffer: the base of every frame.
void copyBackground();
