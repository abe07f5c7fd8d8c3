#include "intro/EffectPalette.h"
#include "intro/EffectPhase.h"
#include "intro/Effects.h"
#include "intro/IntroState.h"
#include "tests/intro/PictureFixture.h"

namespace {

using EffectsTest = PictureTest;

// introTime as the frame loop leaves it after a number of frames.
float timeAfterFrames(int frames)
{
    float time = 0.0f;
    for (int n = 0; n < frames; ++n) {
        time = time + 0.08f;
    }
    return time;
}

bool insideRectangle(int x, int y)
{
    return x >= 160 && x < 360 && y >= 100 && y < 260;
}

enum Fade { NotWaves, FullColour, Fading, Faded };

struct PhaseCase {
    int frame;
    float time;
    float t;
    int colour;
    EffectStretch stretch;
    Fade fade;
};

// The frames on which a stretch begins, and the frames just before them,
// with the time as it accumulates in single precision.
const PhaseCase phaseCases[] = {
    {1, 0.079999998f, 0.079999998f, 0, StretchNothing, NotWaves},
    {24, 1.9200003f, 1.9200003f, 0, StretchNothing, NotWaves},
    {25, 2.0000002f, 2.0000002f, 0, StretchWipe, NotWaves},
    {43, 3.4399989f, 3.4399989f, 0, StretchWipe, NotWaves},
    {44, 3.5199988f, 3.5199988f, 0, StretchWaves, FullColour},
    {125, 9.9999933f, 9.9999933f, 0, StretchWaves, FullColour},
    {126, 10.079993f, 10.079993f, 0, StretchWaves, Fading},
    {140, 11.199992f, 11.199992f, 0, StretchWaves, Fading},
    {141, 11.279992f, 11.279992f, 0, StretchWaves, Faded},
    {151, 12.079991f, 0.079991341f, 1, StretchNothing, NotWaves},
    {176, 14.079989f, 2.0799894f, 1, StretchWipe, NotWaves},
    {194, 15.519988f, 3.5199881f, 1, StretchWaves, FullColour},
    {449, 35.920063f, 11.920063f, 2, StretchWaves, Faded},
    {450, 36.000065f, 0.000064849854f, 3, StretchNothing, NotWaves},
};

class PhaseTableTest : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(PhaseTableTest, ChoosesStretchAndColour)
{
    const PhaseCase& c = GetParam();
    const float time = timeAfterFrames(c.frame);
    EXPECT_FLOAT_EQ(time, c.time);
    const float t = effectPhase(time);
    EXPECT_FLOAT_EQ(t, c.t);
    EXPECT_EQ(effectColourIndex(time), c.colour);
    EXPECT_EQ(effectStretch(t), c.stretch);
    switch (c.fade) {
    case NotWaves:
        break;
    case FullColour:
        EXPECT_EQ(waveFade(t), 1.0f);
        break;
    case Fading:
        EXPECT_GT(waveFade(t), 0.0f);
        EXPECT_LT(waveFade(t), 1.0f);
        break;
    case Faded:
        EXPECT_EQ(waveFade(t), 0.0f);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(BoundaryFrames, PhaseTableTest, ::testing::ValuesIn(phaseCases),
                         [](const auto& info) { return "frame" + std::to_string(info.param.frame); });

TEST(EffectPhaseTest, RampAndFadeEnds)
{
    EXPECT_EQ(waveRamp(3.5f), 0.0f);
    EXPECT_EQ(waveRamp(4.0f), 0.5f);
    EXPECT_EQ(waveRamp(4.25f), 0.7f);
    EXPECT_EQ(waveRamp(9.0f), 0.7f);
    EXPECT_EQ(waveFade(10.0f), 1.0f);
    EXPECT_EQ(waveFade(11.25f), 0.0f);
    EXPECT_EQ(waveFade(11.9f), 0.0f);
}

TEST_F(EffectsTest, Frame25RunsTheWipeButDrawsNothing)
{
    introTime = timeAfterFrames(25);
    ASSERT_EQ(effectStretch(effectPhase(introTime)), StretchWipe);
    drawEffects();
    EXPECT_TRUE(frameIsBlank());
}

// Late in the wipe every front lies left of the rectangle: it is filled with
// the plain colour, and nothing outside it is touched.
TEST_F(EffectsTest, LateWipeFillsExactlyTheRectangle)
{
    const FloatPixel& colour = effectPalette[2];
    drawWipe(3.4f, colour);
    for (int y = 0; y < introHeight; ++y) {
        for (int x = 0; x < introWidth; ++x) {
            const FloatPixel& pixel = pixelAt(x, y);
            const bool inside = insideRectangle(x, y);
            ASSERT_EQ(pixel.red, inside ? colour.red : 0.0f) << x << "," << y;
            ASSERT_EQ(pixel.green, inside ? colour.green : 0.0f) << x << "," << y;
            ASSERT_EQ(pixel.blue, inside ? colour.blue : 0.0f) << x << "," << y;
        }
    }
}

struct WavesCase {
    float t;
    float colourWeight; // how much of the colour the panel shows
};

class WavesFlatTest : public PictureTest, public ::testing::WithParamInterface<WavesCase> {};

// Where the pattern's amplitude is zero the panel is a flat multiple of the colour.
TEST_P(WavesFlatTest, PanelIsFlat)
{
    const WavesCase& c = GetParam();
    const FloatPixel& colour = effectPalette[4];
    drawWaves(c.t, colour);
    for (int y = 0; y < introHeight; ++y) {
        for (int x = 0; x < introWidth; ++x) {
            const FloatPixel& pixel = pixelAt(x, y);
            const float weight = insideRectangle(x, y) ? c.colourWeight : 0.0f;
            ASSERT_EQ(pixel.red, weight * colour.red) << x << "," << y;
            ASSERT_EQ(pixel.green, weight * colour.green) << x << "," << y;
            ASSERT_EQ(pixel.blue, weight * colour.blue) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ZeroAmplitude, WavesFlatTest,
                         ::testing::Values(WavesCase{3.5f, 1.0f}, WavesCase{11.25f, 0.0f}, WavesCase{11.9f, 0.0f}));

// During the waves the pattern varies over the rectangle and the same value is
// taken from all three channels; outside the rectangle nothing changes.
TEST_F(EffectsTest, WavesShiftAllChannelsEvenly)
{
    introTime = timeAfterFrames(100);
    const float t = effectPhase(introTime);
    ASSERT_EQ(effectStretch(t), StretchWaves);
    const FloatPixel& colour = effectPalette[0];
    drawEffects();
    float lowest = 10.0f;
    float highest = -10.0f;
    for (int y = 0; y < introHeight; ++y) {
        for (int x = 0; x < introWidth; ++x) {
            const FloatPixel& pixel = pixelAt(x, y);
            if (!insideRectangle(x, y)) {
                ASSERT_TRUE(pixel.red == 0.0f && pixel.green == 0.0f && pixel.blue == 0.0f) << x << "," << y;
                continue;
            }
            const float w = colour.red - pixel.red;
            EXPECT_NEAR(colour.green - pixel.green, w, 1e-6f);
            EXPECT_NEAR(colour.blue - pixel.blue, w, 1e-6f);
            EXPECT_LE(std::abs(w), 2 * 0.7f + 1e-6f);
            lowest = std::min(lowest, w);
            highest = std::max(highest, w);
        }
    }
    EXPECT_GT(highest - lowest, 0.5f);
}

} // namespace
