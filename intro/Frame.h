#pragma once

// One frame of the picture, without presenting it: advances frameCount and
// introTime, changes and copies the background, draws scroller and effects.
void advanceFrame();
