#pragma once

// Font glyph of a character code, or noGlyph when the font has none (capitals,
// the comma and every other code outside the font).
constexpr int noGlyph = -1;
int glyphIndex(char character);

// Draws one character whose 32-pixel cell starts at column x (which may lie
// anywhere, also off the picture) into frameBuffer, with its shadow.
// Returns the x of the next character, x + 32, also when nothing was drawn.
int drawGlyph(char character, int x);
