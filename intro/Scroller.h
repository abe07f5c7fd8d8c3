#pragma once

// The line the scroller draws in the current frame and where it starts.
struct ScrollerStep {
    int line;   // index into scrollerLines
    int startX; // left edge of the line's first character cell
};

// Moves the scroller on for the current frameCount: every 395 frames the next
// line starts at the right edge (lineCount is incremented then).
ScrollerStep advanceScroller();

// Draws the current greeting line into frameBuffer.
void drawScroller();
