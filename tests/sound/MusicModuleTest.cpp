#include "sound/linux/ModuleCompleteness.h"
#include "tests/sound/SoundTestFiles.h"
#include "tools/make_module/Composition.h"
#include "tools/make_module/ModuleFile.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(MusicModule, BuildWroteWhatTheComposerMakesEveryTime) {
    const auto composed = make_module::serialise(make_module::composeModule());
    EXPECT_EQ(composed, make_module::serialise(make_module::composeModule()));
    EXPECT_EQ(readMusicModule(), composed);
}

TEST(MusicModule, IsAFourChannelProTrackerFileOfItsDeclaredSize) {
    const auto bytes = readMusicModule();
    ASSERT_GT(bytes.size(), 1084u);
    EXPECT_EQ(std::string(bytes.begin() + 1080, bytes.begin() + 1084), "M.K.");
    const std::string title(bytes.begin(), bytes.begin() + 20);
    EXPECT_EQ(title.substr(0, title.find('\0')), "tovi theme 2026");
    EXPECT_FALSE(sound::isTruncatedProTracker(bytes));
    EXPECT_TRUE(sound::isTruncatedProTracker({bytes.data(), bytes.size() - 1}));
}

TEST(MusicModule, NotesOutsideTheTableAreRefused) {
    EXPECT_EQ(make_module::periodOf("C-1"), 856);
    EXPECT_EQ(make_module::periodOf("A-2"), 254);
    EXPECT_EQ(make_module::periodOf("C#2"), 404);
    EXPECT_EQ(make_module::periodOf("B3"), 113);
    for (const char* bad : {"", "H-2", "C-4", "C-0", "B#3", "C--2", "C-22"})
        EXPECT_THROW(make_module::periodOf(bad), std::invalid_argument) << bad;
}

TEST(MusicModule, FieldsThatCannotBeStoredAreRefused) {
    auto module = make_module::composeModule();
    module.title = std::string(21, 'x');
    EXPECT_THROW(make_module::serialise(module), std::invalid_argument);

    module = make_module::composeModule();
    module.orders.push_back(static_cast<int>(module.patterns.size()));
    EXPECT_THROW(make_module::serialise(module), std::invalid_argument);

    module = make_module::composeModule();
    module.samples[0].data.push_back(0); // odd length
    EXPECT_THROW(make_module::serialise(module), std::invalid_argument);
}

} // namespace
