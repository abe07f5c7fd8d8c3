#include "sound/linux/ModulePlayer.h"
#include "tests/sound/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int rate = 32000;

double rms(const std::vector<float>& samples) {
    double sum = 0.0;
    for (float v : samples)
        sum += static_cast<double>(v) * v;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

TEST(ModulePlayer, MusicModuleRendersSoundAndLoopsPastItsEnd) {
    const auto bytes = readMusicModule();
    auto player = sound::ModulePlayer::fromMemory(bytes, rate);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->channelCount(), 4);
    const double duration = player->durationSeconds();
    EXPECT_GT(duration, 50.0);
    EXPECT_LT(duration, 70.0);

    std::vector<float> second(2 * rate);
    player->render(second.data(), rate);
    EXPECT_GT(rms(second), 0.01);

    // Play through the end: the song starts over instead of falling silent.
    const int seconds = static_cast<int>(duration) + 2;
    for (int s = 1; s < seconds; ++s)
        player->render(second.data(), rate);
    EXPECT_GT(rms(second), 0.01);

    player->rewind();
    EXPECT_EQ(player->positionSeconds(), 0.0);
}

TEST(ModulePlayer, RefusesRatesTheDecoderCannotRender) {
    const auto bytes = readMusicModule();
    for (int bad : {-32000, 0, 1, 7999, 192001})
        EXPECT_EQ(sound::ModulePlayer::fromMemory(bytes, bad), nullptr) << bad;
    for (int good : {8000, 44100, 192000})
        EXPECT_NE(sound::ModulePlayer::fromMemory(bytes, good), nullptr) << good;
}

TEST(ModulePlayer, BadFilesGiveNull) {
    const auto good = readMusicModule();
    ASSERT_GT(good.size(), 2000u);
    ScratchFolder scratch;
    auto cut = [&](std::size_t n) { return std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(n)); };
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing", scratch.folder() + "/no-such.mod"},
        {"directory", scratch.folder()},
        {"empty", scratch.write("empty.mod", {})},
        {"one byte short", scratch.write("short1.mod", cut(good.size() - 1))},
        {"cut in the samples", scratch.write("short2.mod", cut(good.size() / 2))},
        {"header only", scratch.write("header.mod", cut(1084))},
        {"cut in the header", scratch.write("cuthead.mod", cut(600))},
        {"random bytes", scratch.write("noise.mod", noiseBytes(20000))},
        {"text", scratch.write("text.mod", {'h', 'e', 'l', 'l', 'o', '\n'})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sound::ModulePlayer::fromFile(c.path, rate), nullptr) << c.what;
    EXPECT_NE(sound::ModulePlayer::fromFile(scratch.write("whole.mod", good), rate), nullptr);
}

} // namespace
