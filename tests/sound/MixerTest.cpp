#include "sound/linux/Mixer.h"
#include "sound/linux/SilentOutput.h"
#include "tests/sound/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr int rate = 32000;
// Longer than one mixer chunk, so chunking is crossed.
constexpr std::size_t frames = 2 * sound::Mixer::chunkFrames + 100;

std::vector<float> mix(sound::Mixer& mixer) {
    std::vector<float> out(2 * frames, 99.0f);
    mixer.render(out.data(), frames);
    return out;
}

TEST(Mixer, SumsThePlayingSongsAndIsSilentWithout) {
    const auto bytes = readMusicModule();
    auto a = sound::ModulePlayer::fromMemory(bytes, rate);
    auto b = sound::ModulePlayer::fromMemory(bytes, rate);
    auto alone = sound::ModulePlayer::fromMemory(bytes, rate);
    ASSERT_TRUE(a && b && alone);

    sound::Mixer mixer;
    for (float v : mix(mixer))
        ASSERT_EQ(v, 0.0f);

    std::vector<float> single(2 * frames);
    alone->render(single.data(), frames);
    EXPECT_TRUE(mixer.start(a.get()));
    EXPECT_FALSE(mixer.start(a.get()));
    EXPECT_FALSE(mixer.start(nullptr));
    EXPECT_TRUE(mixer.start(b.get()));
    EXPECT_EQ(mixer.playingCount(), 2u);
    const auto both = mix(mixer);
    for (std::size_t i = 0; i < both.size(); ++i)
        ASSERT_EQ(both[i], single[i] + single[i]) << i;

    EXPECT_TRUE(mixer.stop(a.get()));
    EXPECT_FALSE(mixer.stop(a.get()));
    EXPECT_FALSE(mixer.isPlaying(a.get()));
    EXPECT_TRUE(mixer.isPlaying(b.get()));
}

TEST(Mixer, RefusesMoreSongsThanItHasRoomFor) {
    const auto bytes = readMusicModule();
    std::vector<std::unique_ptr<sound::ModulePlayer>> players;
    sound::Mixer mixer;
    for (std::size_t i = 0; i < sound::Mixer::maximumSongs; ++i) {
        players.push_back(sound::ModulePlayer::fromMemory(bytes, rate));
        ASSERT_TRUE(mixer.start(players.back().get()));
    }
    auto oneMore = sound::ModulePlayer::fromMemory(bytes, rate);
    EXPECT_FALSE(mixer.start(oneMore.get()));
}

TEST(SilentOutput, AdvancesThePlayingSongWithoutADevice) {
    auto player = sound::ModulePlayer::fromMemory(readMusicModule(), rate);
    ASSERT_NE(player, nullptr);
    sound::Mixer mixer;
    sound::SilentOutput output(mixer, rate);
    {
        sound::OutputLock hold(output);
        mixer.start(player.get());
    }
    // Progress only, never its speed: wait generously for the first render.
    double position = 0.0;
    for (int i = 0; i < 500 && position == 0.0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sound::OutputLock hold(output);
        position = player->positionSeconds();
    }
    EXPECT_GT(position, 0.0);
}

} // namespace
