// The six calls of the shared library the programs link, as they use them.
#include "sound/FmodApi.h"
#include "tests/sound/SoundTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr const char* missing = "tovi-no-such-module.mod";

// SDL's dummy driver consumes audio at real-time pace without hardware, so
// the device path runs in CI too.
class FmodApi : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    static void TearDownTestSuite() { unsetenv("SDL_AUDIODRIVER"); }
    void TearDown() override { FSOUND_Close(); }
};

TEST_F(FmodApi, PlaysTheMusicModuleTheWayTheIntroDoes) {
    EXPECT_EQ(FSOUND_GetVersion(), 3.75f);
    ASSERT_TRUE(FSOUND_Init(32000, 32, 0));
    EXPECT_EQ(FMUSIC_LoadSong(missing), nullptr);
    FMUSIC_MODULE* song = FMUSIC_LoadSong(TOVI_MUSIC_MODULE_PATH);
    ASSERT_NE(song, nullptr);
    EXPECT_TRUE(FMUSIC_PlaySong(song));
    EXPECT_TRUE(FMUSIC_FreeSong(song));
}

TEST_F(FmodApi, MisuseIsHarmless) {
    EXPECT_EQ(FMUSIC_LoadSong(TOVI_MUSIC_MODULE_PATH), nullptr); // before init
    EXPECT_FALSE(FMUSIC_PlaySong(nullptr));
    EXPECT_FALSE(FMUSIC_FreeSong(nullptr));
    EXPECT_FALSE(FSOUND_Init(0, 32, 0));
    EXPECT_FALSE(FSOUND_Init(-1, 32, 0));

    ASSERT_TRUE(FSOUND_Init(32000, 32, 0));
    EXPECT_EQ(FMUSIC_LoadSong(nullptr), nullptr);
    FMUSIC_MODULE* song = FMUSIC_LoadSong(TOVI_MUSIC_MODULE_PATH);
    ASSERT_NE(song, nullptr);
    EXPECT_TRUE(FMUSIC_PlaySong(song));
    FSOUND_Close(); // song still loaded and playing
    FSOUND_Close();
    EXPECT_FALSE(FMUSIC_FreeSong(song));
    EXPECT_FALSE(FMUSIC_PlaySong(song));
}

} // namespace
