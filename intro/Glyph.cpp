#include "intro/Glyph.h"

#include "intro/FloatMath.h"
#include "intro/IntroState.h"
#include "intro/ScrollerTables.h"

#include <cassert>

namespace {
constexpr int cellWidth = glyphSize * blockSize;
constexpr int textTop = 18;
constexpr int shadowRows = 15;
constexpr int shadowOffset = shadowRows * introWidth;

// One block pixel with shade weight s: it adds its light and stamps its shadow.
void drawBlockPixel(int xx, int yy, float s)
{
    const auto [sx, sy] = displacePixel(xx, yy);
    if (sx < 0 || sx >= introWidth || sy < 0 || sy >= introHeight) {
        return;
    }
    // d never exceeds yy, so the shadow row stays far inside the picture.
    assert(sy + shadowRows < introHeight);

    const int element = sy * introWidth + sx;
    FloatPixel& pixel = frameBuffer[element];
    pixel.red = pixel.red + s;
    pixel.green = pixel.green + 0.8f * s;
    pixel.blue = pixel.blue + 0.5f * s;

    // Replaces what is there, from its own values, so the order of writes matters.
    FloatPixel& shadow = frameBuffer[element + shadowOffset];
    shadow.blue = (shadow.blue + 0.2f) * 0.5f * s;
    shadow.green = (shadow.green + 0.2f) * 0.8f * s;
    shadow.red = (shadow.red + 0.2f) * s;
}
}

DisplacedPixel displacePixel(int xx, int yy)
{
    const float column = static_cast<float>(xx);
    const float row = static_cast<float>(yy);
    // The lean breathes with the time; introTime is used unwrapped.
    const int sx = static_cast<int>(column + 6.0f * sinOf(row * (cosOf(introTime) + 2.5f) * 0.005f));
    // The stretch uses the displaced column, the wave the undisplaced one.
    const int d = ((50 - sx / 3) * yy) / 50;
    const int sy = static_cast<int>(6.0f * cosOf(0.04f * column) + static_cast<float>(d) + row);
    return {sx, sy};
}

int glyphIndex(char character)
{
    if (character >= 'a' && character <= 'z') {
        return character - 'a';
    }
    if (character >= '0' && character <= '9') {
        return character - 22;
    }
    switch (character) {
    case '?':
        return 36;
    case '.':
        return 37;
    case ' ':
        return 38;
    default:
        return noGlyph;
    }
}

int drawGlyph(char character, int x)
{
    const int g = glyphIndex(character);
    // The lean moves block pixels at most five columns to the right, so cells
    // beyond either edge by a picture's width cannot reach it; skipping them
    // also keeps the arithmetic of extreme x in range.
    if (g == noGlyph || x >= introWidth || x <= -introWidth) {
        return x + cellWidth;
    }
    for (int fr = 0; fr < glyphSize; ++fr) {
        const int Y = textTop + blockSize * fr;
        for (int i = 0; i < glyphSize; ++i) {
            if (fontBitmap[fr][glyphSize * g + i] == 0) {
                continue;
            }
            const int X = x + blockSize * i;
            for (int sr = 0; sr < blockSize; ++sr) {
                for (int sc = 0; sc < blockSize; ++sc) {
                    drawBlockPixel(X + sc, Y + sr, glyphShade[blockSize * sr + sc]);
                }
            }
        }
    }
    return x + cellWidth;
}
