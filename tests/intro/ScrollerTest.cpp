#include "intro/Glyph.h"
#include "intro/IntroState.h"
#include "intro/Scroller.h"
#include "intro/ScrollerTables.h"
#include "tests/intro/PictureFixture.h"

#include <cstring>
#include <map>

namespace {

using ScrollerTest = PictureTest;

TEST(ScrollerTablesTest, EveryLineHas85Characters)
{
    for (int line = 0; line < scrollerLineCount; ++line) {
        EXPECT_EQ(std::strlen(scrollerLines[line]), 85u) << "line " << line;
    }
    EXPECT_EQ(scrollerLines[0][0], ' ');
    EXPECT_STREQ(scrollerLines[8] + 73, "            ");
}

TEST(ScrollerTablesTest, FontStripHoldsTheGlyphRows)
{
    // "a" row 0 is 1E: columns 3 to 6 set.
    const std::uint8_t aRow0[8] = {0, 0, 0, 1, 1, 1, 1, 0};
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(fontBitmap[0][column], aRow0[column]) << column;
    }
    // "." (glyph 37) row 7 is 18: columns 3 and 4 set.
    EXPECT_EQ(fontBitmap[7][37 * 8 + 3], 1);
    EXPECT_EQ(fontBitmap[7][37 * 8 + 4], 1);
    EXPECT_EQ(fontBitmap[7][37 * 8 + 5], 0);
    for (int row = 0; row < 8; ++row) {
        for (int g = 0; g < glyphCount; ++g) {
            EXPECT_EQ(fontBitmap[row][8 * g + 7], 0) << "glyph " << g << " column 7 must be clear";
        }
        for (int column = 0; column < 8; ++column) {
            EXPECT_EQ(fontBitmap[row][8 * 38 + column], 0) << "the space is empty";
        }
    }
}

TEST(ScrollerTablesTest, GlyphIndices)
{
    const std::map<char, int> cases = {{'a', 0}, {'z', 25}, {'0', 26}, {'9', 35}, {'?', 36}, {'.', 37}, {' ', 38},
                                       {'A', noGlyph}, {'Z', noGlyph}, {',', noGlyph}, {'!', noGlyph},
                                       {'\0', noGlyph}, {char(0xE9), noGlyph}};
    for (const auto& [character, glyph] : cases) {
        EXPECT_EQ(glyphIndex(character), glyph) << int(static_cast<unsigned char>(character));
    }
}

// Replays the schedule from the first frame, as the frame loop drives it.
TEST_F(ScrollerTest, LinesFollowEvery395Frames)
{
    struct Expected {
        int line;
        int startX;
    };
    const std::map<int, Expected> expected = {
        {1, {0, 392}},     {394, {0, -2752}}, {395, {1, 400}},  {396, {1, 392}},
        {789, {1, -2752}}, {790, {2, 400}},   {3554, {8, -2752}}, {3555, {0, 400}},
    };
    for (frameCount = 1; frameCount <= 3555; ++frameCount) {
        const ScrollerStep step = advanceScroller();
        const auto found = expected.find(frameCount);
        if (found != expected.end()) {
            EXPECT_EQ(step.line, found->second.line) << "frame " << frameCount;
            EXPECT_EQ(step.startX, found->second.startX) << "frame " << frameCount;
        }
    }
}

// Line 0 enters from the right edge, its first visible character in cell 1,
// and in its last frame it lies wholly left of the picture.
TEST_F(ScrollerTest, LineEntersAndLeavesThePicture)
{
    const struct {
        int frame;
        bool drawsSomething;
    } cases[] = {{1, false}, {100, true}, {394, false}};
    for (const auto& c : cases) {
        resetPicture();
        frameCount = c.frame;
        drawScroller();
        EXPECT_EQ(!frameIsBlank(), c.drawsSomething) << "frame " << c.frame;
    }
}

} // namespace
