#pragma once

// Draws the current greeting line into frameBuffer.
void drawScroller();
