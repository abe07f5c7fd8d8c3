#include "intro/Glyph.h"
#include "intro/IntroState.h"
#include "tests/intro/PictureFixture.h"

#include <cmath>

namespace {

// At introTime 0 the time's cosine is exactly 1, so the lean of undisplaced row
// yy is exactly 6 sin(0.0175 yy), rounded as the renderer rounds it.
class GlyphTest : public PictureTest {
protected:
    void SetUp() override
    {
        PictureTest::SetUp();
        introTime = 0.0f;
    }
};

class GlyphGapTest : public PictureTest, public ::testing::WithParamInterface<char> {};

TEST_P(GlyphGapTest, DrawsNothingAndAdvances32)
{
    EXPECT_EQ(drawGlyph(GetParam(), 100), 132);
    EXPECT_EQ(drawGlyph(GetParam(), -7), 25);
    EXPECT_TRUE(frameIsBlank());
}

INSTANTIATE_TEST_SUITE_P(OutsideTheFont, GlyphGapTest,
                         ::testing::Values('A', 'M', 'Z', ',', '!', '-', '\0', '\n', char(0x80), char(0xFF), ' '));

class GlyphBeyondRightEdgeTest : public PictureTest, public ::testing::WithParamInterface<int> {};

// The lean only moves pixels to the right, so a cell from column 400 on stays off.
TEST_P(GlyphBeyondRightEdgeTest, DrawsNothing)
{
    introTime = 1.3f;
    const int x = GetParam();
    EXPECT_EQ(drawGlyph('w', x), x + 32);
    EXPECT_TRUE(frameIsBlank());
}

INSTANTIATE_TEST_SUITE_P(Columns, GlyphBeyondRightEdgeTest, ::testing::Values(400, 401, 432, 100000));

struct DisplaceCase {
    int xx;
    int yy;
    int sx;
    int sy;
};

// Known positions at introTime 0. Column -0.14 and row -0.04 are truncated
// toward zero onto column 0 and row 0; column -1.14 stays off the picture.
// Right of column 150 the stretch d is negative, and its division truncates
// toward zero too: -30 / 50 gives 0 and -2499 / 50 gives -49.
const DisplaceCase displaceCases[] = {
    {-2, 18, 0, 41},
    {317, 43, 321, 0},
    {-3, 18, -1, 41},
    {20, 42, 24, 81},
    {150, 30, 153, 35},
    {300, 49, 304, 5},
};

class DisplaceTest : public GlyphTest, public ::testing::WithParamInterface<DisplaceCase> {};

TEST_P(DisplaceTest, TruncatesTowardZero)
{
    const DisplaceCase& c = GetParam();
    const DisplacedPixel moved = displacePixel(c.xx, c.yy);
    EXPECT_EQ(moved.sx, c.sx);
    EXPECT_EQ(moved.sy, c.sy);
}

INSTANTIATE_TEST_SUITE_P(KnownPositions, DisplaceTest, ::testing::ValuesIn(displaceCases));

// "." has font pixels only in rows 6 and 7, columns 3 and 4. Drawn from x = 8,
// its blocks stand apart at double height, so single block pixels can be read.
TEST_F(GlyphTest, BlockShadeFromTopLeftToBottomRight)
{
    EXPECT_EQ(drawGlyph('.', 8), 40);
    // First block (row 6, column 3): top-left block pixel.
    const DisplacedPixel topLeft = displacePixel(8 + 4 * 3, 18 + 4 * 6);
    const FloatPixel& first = pixelAt(topLeft.sx, topLeft.sy);
    EXPECT_EQ(first.red, 0.1f);
    EXPECT_EQ(first.green, 0.8f * 0.1f);
    EXPECT_EQ(first.blue, 0.5f * 0.1f);
    // Last block (row 7, column 4): bottom-right block pixel, the glyph's last write.
    const DisplacedPixel bottomRight = displacePixel(8 + 4 * 4 + 3, 18 + 4 * 7 + 3);
    const FloatPixel& last = pixelAt(bottomRight.sx, bottomRight.sy);
    EXPECT_EQ(last.red, 1.0f);
    EXPECT_EQ(last.green, 0.8f);
    EXPECT_EQ(last.blue, 0.5f);
    // Its shadow, 15 rows lower over a zero background.
    const FloatPixel& shadow = pixelAt(bottomRight.sx, bottomRight.sy + 15);
    EXPECT_EQ(shadow.blue, 0.2f * 0.5f * 1.0f);
    EXPECT_EQ(shadow.green, 0.2f * 0.8f * 1.0f);
    EXPECT_EQ(shadow.red, 0.2f * 1.0f);
}

// The shadow replaces the colour from the pixel's own values, also negative ones.
TEST_F(GlyphTest, ShadowIsComputedFromTheBackground)
{
    for (FloatPixel& pixel : frameBuffer) {
        pixel = {0.0f, -0.4f, 0.3f, -1.0f};
    }
    drawGlyph('.', 8);
    const DisplacedPixel bottomRight = displacePixel(8 + 4 * 4 + 3, 18 + 4 * 7 + 3);
    const FloatPixel& shadow = pixelAt(bottomRight.sx, bottomRight.sy + 15);
    EXPECT_EQ(shadow.blue, (-0.4f + 0.2f) * 0.5f * 1.0f);
    EXPECT_EQ(shadow.green, (0.3f + 0.2f) * 0.8f * 1.0f);
    EXPECT_EQ(shadow.red, (-1.0f + 0.2f) * 1.0f);
    EXPECT_LT(shadow.red, 0.0f);
}

// "i" at x = -18: its top block's first two sub-columns land between columns -1
// and 1 and are both truncated onto column 0 of row 41, where their shades add.
TEST_F(GlyphTest, LeftEdgeKeepsPixelsTruncatedOntoColumnZero)
{
    drawGlyph('i', -18);
    EXPECT_EQ(pixelAt(0, 41).red, 0.1f + 0.3f);
}

} // namespace
