#pragma once

// Draws the effect of the current phase into frameBuffer.
void drawEffects();
