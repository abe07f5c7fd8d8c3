#include "display/Display.h"
#include "display/DisplayBase.h"
#include "display/DisplayListener.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records which of the base's virtual operations ran, so tests can tell the
// most-derived close and reset from the base's own.
class RecordingDisplay : public DisplayBase {
public:
    std::vector<std::string>* calls;
    explicit RecordingDisplay(std::vector<std::string>* calls) : calls(calls) {}
    ~RecordingDisplay() override { calls->push_back("destroyed"); }
    void close() override { calls->push_back("close"); DisplayBase::close(); }
    void reset() override { calls->push_back("reset"); DisplayBase::reset(); }
    bool refresh(const IntPixel* i, const FloatPixel* f) override
    {
        calls->push_back(i ? "refresh int" : "refresh float");
        EXPECT_TRUE((i == nullptr) != (f == nullptr));
        return true;
    }
};

class InjectedDisplay : public Display {
public:
    explicit InjectedDisplay(DisplayInterface* implementation) : Display(implementation) {}
};

void expectDefaults(DisplayInterface& display)
{
    EXPECT_STREQ(display.title(), "");
    EXPECT_EQ(display.width(), 0);
    EXPECT_EQ(display.height(), 0);
    EXPECT_EQ(display.mode(), ModeFloat);
    EXPECT_EQ(display.output(), OutputDefault);
    EXPECT_FALSE(display.isOpen());
}

struct TitleCase {
    std::size_t length;
    std::size_t kept;
};

class DisplayBaseTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(DisplayBaseTitle, KeepsAtMost255Characters)
{
    std::string title(GetParam().length, 'x');
    for (std::size_t i = 0; i < title.size(); ++i) {
        title[i] = static_cast<char>('a' + i % 26);
    }
    DisplayBase display;
    EXPECT_TRUE(display.open(title.c_str(), 1, 1, OutputWindowed, ModeInteger));
    EXPECT_EQ(std::string(display.title()), title.substr(0, GetParam().kept));
}

INSTANTIATE_TEST_SUITE_P(Lengths, DisplayBaseTitle,
                         testing::Values(TitleCase{0, 0}, TitleCase{1, 1}, TitleCase{254, 254},
                                         TitleCase{255, 255}, TitleCase{256, 255}, TitleCase{300, 255}));

TEST(DisplayBase, NullTitleReadsAsEmptyText)
{
    DisplayBase display;
    EXPECT_TRUE(display.open(nullptr, 4, 3, OutputWindowed, ModeFloat));
    EXPECT_STREQ(display.title(), "");
    EXPECT_TRUE(display.isOpen());
}

TEST(DisplayBase, StartsClosedWithDefaultsAndNoListenerOrWrapper)
{
    DisplayBase display;
    expectDefaults(display);
    EXPECT_EQ(display.listener(), nullptr);
    EXPECT_EQ(display.wrapper(), nullptr);
}

TEST(DisplayBase, OpenRunsTheMostDerivedCloseFirstAndKeepsListenerAndWrapper)
{
    std::vector<std::string> calls;
    RecordingDisplay display(&calls);
    DisplayListener listener;
    DisplayBase other;
    display.setListener(&listener);
    display.setWrapper(&other);

    ASSERT_TRUE(display.open("first", 10, 20, OutputFullscreen, ModeInteger));
    calls.clear();
    ASSERT_TRUE(display.open("second", 30, 40, OutputWindowed, ModeFloat));

    EXPECT_EQ(calls, (std::vector<std::string>{"close", "reset"}));
    EXPECT_STREQ(display.title(), "second");
    EXPECT_EQ(display.width(), 30);
    EXPECT_EQ(display.height(), 40);
    EXPECT_EQ(display.output(), OutputWindowed);
    EXPECT_EQ(display.mode(), ModeFloat);
    EXPECT_EQ(display.listener(), &listener);
    EXPECT_EQ(display.wrapper(), &other);
}

TEST(DisplayBase, CloseAndResetRestoreDefaultsButKeepListenerAndWrapper)
{
    DisplayListener listener;
    DisplayBase other;
    for (bool viaClose : {true, false}) {
        DisplayBase display;
        display.setListener(&listener);
        display.setWrapper(&other);
        display.open("t", 5, 6, OutputFullscreen, ModeInteger);
        if (viaClose) {
            display.close();
        } else {
            display.reset();
        }
        expectDefaults(display);
        EXPECT_EQ(display.listener(), &listener);
        EXPECT_EQ(display.wrapper(), &other);
    }
}

TEST(DisplayBase, UpdateFunnelsIntoRefreshAndRefusesNull)
{
    std::vector<std::string> calls;
    RecordingDisplay display(&calls);
    IntPixel intPixel = 0;
    FloatPixel floatPixel{};

    EXPECT_FALSE(display.update(static_cast<const IntPixel*>(nullptr)));
    EXPECT_FALSE(display.update(static_cast<const FloatPixel*>(nullptr)));
    EXPECT_TRUE(calls.empty());

    EXPECT_TRUE(display.update(&intPixel));
    EXPECT_TRUE(display.update(&floatPixel));
    EXPECT_EQ(calls, (std::vector<std::string>{"refresh int", "refresh float"}));

    DisplayBase plain;
    EXPECT_TRUE(plain.update(&floatPixel));
}

TEST(DisplayBase, SwitchesChangeOnlyTheOutputEvenWhenClosed)
{
    DisplayBase display;
    EXPECT_TRUE(display.windowed());
    EXPECT_EQ(display.output(), OutputWindowed);
    EXPECT_FALSE(display.isOpen());
    EXPECT_TRUE(display.fullscreen());
    EXPECT_EQ(display.output(), OutputFullscreen);
    EXPECT_FALSE(display.isOpen());
}

TEST(DisplayBase, StoresOpenValuesUnchecked)
{
    DisplayBase display;
    display.open("odd", -5, 0, static_cast<OutputMode>(7), static_cast<PixelMode>(9));
    EXPECT_EQ(display.width(), -5);
    EXPECT_EQ(display.height(), 0);
    EXPECT_EQ(display.output(), static_cast<OutputMode>(7));
    EXPECT_EQ(display.mode(), static_cast<PixelMode>(9));
}

TEST(Display, WithoutImplementationAnswersDefaults)
{
    InjectedDisplay display(nullptr);
    DisplayListener listener;
    IntPixel intPixel = 0;
    FloatPixel floatPixel{};

    EXPECT_FALSE(display.isOpen());
    EXPECT_FALSE(display.open("x", 1, 1, OutputWindowed, ModeFloat));
    display.close();
    EXPECT_FALSE(display.update(&intPixel));
    EXPECT_FALSE(display.update(&floatPixel));
    expectDefaults(display);
    display.setListener(&listener);
    EXPECT_EQ(display.listener(), nullptr);
    display.setWrapper(nullptr);
    EXPECT_EQ(display.wrapper(), &display);
}

TEST(Display, ForwardsToItsImplementationAndOwnsIt)
{
    std::vector<std::string> calls;
    auto* implementation = new RecordingDisplay(&calls);
    {
        InjectedDisplay display(implementation);
        EXPECT_EQ(implementation->wrapper(), &display);
        EXPECT_EQ(display.wrapper(), &display);

        DisplayListener listener;
        EXPECT_TRUE(display.open("wrapped", 8, 9, OutputFullscreen, ModeInteger));
        display.setListener(&listener);
        EXPECT_EQ(implementation->listener(), &listener);
        EXPECT_TRUE(display.isOpen());
        EXPECT_STREQ(display.title(), "wrapped");
        EXPECT_EQ(display.width(), 8);
        EXPECT_EQ(display.height(), 9);
        EXPECT_EQ(display.mode(), ModeInteger);
        EXPECT_EQ(display.output(), OutputFullscreen);
        EXPECT_EQ(display.listener(), &listener);

        // The wrapper's own setWrapper is never passed on.
        display.setWrapper(nullptr);
        EXPECT_EQ(implementation->wrapper(), &display);

        FloatPixel pixel{};
        calls.clear();
        EXPECT_TRUE(display.update(&pixel));
        display.close();
        EXPECT_FALSE(display.isOpen());
        EXPECT_EQ(calls, (std::vector<std::string>{"refresh float", "close", "reset"}));
        calls.clear();
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"destroyed"}));
}

TEST(Display, ConstructionOpensThePlatformDisplay)
{
    Display display("tovi", 400, 300, OutputWindowed, ModeFloat);
    EXPECT_TRUE(display.isOpen());
    EXPECT_STREQ(display.title(), "tovi");
    EXPECT_EQ(display.width(), 400);
    EXPECT_EQ(display.height(), 300);
    EXPECT_EQ(display.wrapper(), &display);
}

} // namespace
