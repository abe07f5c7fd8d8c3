#include "intro/Scroller.h"

#include "intro/Glyph.h"
#include "intro/IntroState.h"
#include "intro/ScrollerTables.h"

namespace {
constexpr int framesPerLine = 395;
constexpr int pixelsPerFrame = 8;
}

ScrollerStep advanceScroller()
{
    const int r = frameCount % framesPerLine;
    if (r == 0) {
        ++lineCount;
    }
    return {lineCount % scrollerLineCount, introWidth - pixelsPerFrame * r};
}

void drawScroller()
{
    const ScrollerStep step = advanceScroller();
    // Every character goes through the renderer, also those off the picture.
    int x = step.startX;
    for (int c = 0; c < scrollerLineLength; ++c) {
        x = drawGlyph(scrollerLines[step.line][c], x);
    }
}
