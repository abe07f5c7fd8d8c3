#include "intro/Background.h"
#include "intro/IntroState.h"
#include "intro/Random.h"
#include "tests/intro/PictureFixture.h"

#include <utility>
#include <vector>

namespace {

using BackgroundTest = PictureTest;

TEST_F(BackgroundTest, GeneratorStartsFromStateOne)
{
    EXPECT_EQ(drawRandom(), 41);
    EXPECT_EQ(drawRandom(), 18467);
    EXPECT_EQ(drawRandom(), 6334);
    EXPECT_EQ(drawRandom(), 26500);
    resetRandom();
    EXPECT_EQ(drawRandom(), 41);
}

// addNoise is checked against the picks replayed from the generator: the first
// 400 brighten, the next 500 darken, every pick applies, nothing is clamped.
TEST_F(BackgroundTest, NoiseAppliesEveryPickInOrder)
{
    std::vector<std::pair<int, int>> picks;
    for (int n = 0; n < 900; ++n) {
        const int x = drawRandom() % introWidth;
        const int y = drawRandom() % introHeight;
        picks.emplace_back(x, y);
    }
    const int nextDraw = drawRandom();
    ASSERT_EQ(picks[0], std::make_pair(41, 167));
    ASSERT_EQ(picks[1], std::make_pair(334, 100));

    std::vector<float> expected(introPixelCount, 0.0f);
    for (int n = 0; n < 900; ++n) {
        float& value = expected[picks[n].second * introWidth + picks[n].first];
        value = n < 400 ? value + 0.05f : value - 0.1f;
    }

    resetRandom();
    addNoise();
    EXPECT_EQ(drawRandom(), nextDraw) << "addNoise must use exactly 1800 draws";
    for (int e = 0; e < introPixelCount; ++e) {
        ASSERT_EQ(noiseBuffer[e].red, expected[e]) << "element " << e;
        ASSERT_EQ(noiseBuffer[e].green, expected[e]) << "element " << e;
        ASSERT_EQ(noiseBuffer[e].blue, expected[e]) << "element " << e;
    }
    EXPECT_TRUE(frameIsBlank()) << "addNoise changes only the background";
}

TEST_F(BackgroundTest, CopyReplacesTheWholeFrame)
{
    for (int e = 0; e < introPixelCount; ++e) {
        noiseBuffer[e] = {float(e), -0.5f, float(e % 7), 2.0f};
        frameBuffer[e] = {9.0f, 9.0f, 9.0f, 9.0f};
    }
    copyBackground();
    EXPECT_EQ(std::memcmp(frameBuffer, noiseBuffer, sizeof frameBuffer), 0);
}

} // namespace
