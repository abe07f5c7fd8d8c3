#pragma once

#include <array>
#include <cstdint>

// The scroller's constant tables: the greeting text, the font and the shade of
// one font pixel's block.

constexpr int scrollerLineCount = 9;
constexpr int scrollerLineLength = 85;
// Nine lines of exactly 85 characters each; spaces at either end belong to the
// line, and characters outside the font leave gaps.
extern const char scrollerLines[scrollerLineCount][scrollerLineLength + 1];

constexpr int glyphCount = 39;
constexpr int glyphSize = 8;
constexpr int fontStripWidth = glyphCount * glyphSize;
// The font as a strip of 8 rows by 312 one-byte pixels, row 0 at the top:
// glyph g occupies columns 8g to 8g + 7; non-zero bytes are set pixels.
using FontStrip = std::array<std::array<std::uint8_t, fontStripWidth>, glyphSize>;
extern const FontStrip fontBitmap;

constexpr int blockSize = 4;
// Weights of the 4 x 4 block drawn for one set font pixel: element 4 * sr + sc
// for sub-row sr (0 at the top) and sub-column sc (0 at the left).
extern const float glyphShade[blockSize * blockSize];
