#pragma once

// Font glyph of a character code, or noGlyph when the font has none (capitals,
// the comma and every other code outside the font).
constexpr int noGlyph = -1;
int glyphIndex(char character);

// Where the lean, the wave and the stretch move the block pixel drawn at
// undisplaced column xx and row yy, for the current introTime. Both values are
// truncated toward zero and may lie off the picture.
struct DisplacedPixel {
    int sx;
    int sy;
};
DisplacedPixel displacePixel(int xx, int yy);

// Draws one character whose 32-pixel cell starts at column x (which may lie
// anywhere, also off the picture) into frameBuffer, with its shadow.
// Returns the x of the next character, x + 32, also when nothing was drawn.
int drawGlyph(char character, int x);
