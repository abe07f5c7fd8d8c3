#include "sound/linux/SoundSystem.h"
#include "tests/sound/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// No driver of that name exists, so SDL cannot open any device: the system
// must fall back to its silent output.
class SoundSystemWithoutDevice : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "tovi-no-such-driver", 1); }
    static void TearDownTestSuite() { unsetenv("SDL_AUDIODRIVER"); }
    void TearDown() override { system.close(); }

    sound::SoundSystem system;
};

TEST_F(SoundSystemWithoutDevice, PlaysSilentlyWhenNoDeviceOpens) {
    ASSERT_TRUE(system.init(32000, 32));
    EXPECT_FALSE(system.hasDevice());
    sound::ModulePlayer* song = system.load(TOVI_MUSIC_MODULE_PATH);
    ASSERT_NE(song, nullptr);
    EXPECT_TRUE(system.play(song));
    EXPECT_TRUE(system.play(song)); // again: starts over
    EXPECT_TRUE(system.free(song));
}

TEST_F(SoundSystemWithoutDevice, InitRefusesUnusableArguments) {
    struct Case {
        int rate;
        int channels;
    };
    for (Case c : {Case{0, 32}, Case{-32000, 32}, Case{7999, 32}, Case{192001, 32}, Case{32000, -1}}) {
        EXPECT_FALSE(system.init(c.rate, c.channels)) << c.rate << " " << c.channels;
        EXPECT_FALSE(system.isRunning());
    }
    EXPECT_TRUE(system.init(8000, 0));
}

TEST_F(SoundSystemWithoutDevice, MisuseIsHarmless) {
    EXPECT_EQ(system.load(TOVI_MUSIC_MODULE_PATH), nullptr); // before init
    EXPECT_FALSE(system.play(nullptr));
    EXPECT_FALSE(system.free(nullptr));
    system.close(); // before init

    ASSERT_TRUE(system.init(32000, 32));
    EXPECT_EQ(system.load(nullptr), nullptr);
    sound::ModulePlayer* kept = system.load(TOVI_MUSIC_MODULE_PATH);
    sound::ModulePlayer* playing = system.load(TOVI_MUSIC_MODULE_PATH);
    ASSERT_TRUE(kept && playing);
    EXPECT_TRUE(system.play(playing));
    EXPECT_TRUE(system.init(44100, 32)); // while running: keeps what it has
    EXPECT_TRUE(system.free(kept));
    EXPECT_FALSE(system.free(kept)); // freed twice
    EXPECT_FALSE(system.play(kept)); // played after free

    system.close(); // with a song still playing
    system.close();
    EXPECT_FALSE(system.free(playing)); // after close
    EXPECT_FALSE(system.play(playing));

    ASSERT_TRUE(system.init(32000, 32)); // and up again
    EXPECT_NE(system.load(TOVI_MUSIC_MODULE_PATH), nullptr);
}

TEST_F(SoundSystemWithoutDevice, EndsCleanlyWithoutClose) {
    sound::SoundSystem scoped;
    ASSERT_TRUE(scoped.init(32000, 32));
    EXPECT_TRUE(scoped.play(scoped.load(TOVI_MUSIC_MODULE_PATH)));
    // Destroyed while playing: the output stops before the song goes.
}

} // namespace
