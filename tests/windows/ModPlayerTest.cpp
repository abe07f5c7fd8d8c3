// The module player of our fmod.dll, run natively: parsing, replay timing,
// the effects, song flow and the mix.
#include "sound/mod/ModPlayer.h"
#include "sound/mod/ModSong.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A minimal "M.K." file built in memory: samples and cells set by the test.
struct ModBuilder {
    std::vector<std::uint8_t> bytes;
    int patternCount;

    explicit ModBuilder(int patterns = 1, int length = 1) : bytes(1084 + patterns * 1024, 0), patternCount(patterns)
    {
        bytes[950] = static_cast<std::uint8_t>(length);
        bytes[951] = 127;
        for (int i = 0; i < length; ++i) {
            bytes[952 + i] = static_cast<std::uint8_t>(i % patterns);
        }
        std::memcpy(&bytes[1080], "M.K.", 4);
    }

    // Appends sample data; lengths and loops in bytes (even).
    void sample(int slot, std::vector<std::int8_t> data, int volume, int loopStart = 0, int loopLength = 2)
    {
        std::uint8_t* h = &bytes[20 + (slot - 1) * 30];
        const int words = static_cast<int>(data.size()) / 2;
        h[22] = static_cast<std::uint8_t>(words >> 8);
        h[23] = static_cast<std::uint8_t>(words);
        h[25] = static_cast<std::uint8_t>(volume);
        h[26] = static_cast<std::uint8_t>((loopStart / 2) >> 8);
        h[27] = static_cast<std::uint8_t>(loopStart / 2);
        h[28] = static_cast<std::uint8_t>((loopLength / 2) >> 8);
        h[29] = static_cast<std::uint8_t>(loopLength / 2);
        for (std::int8_t v : data) {
            bytes.push_back(static_cast<std::uint8_t>(v));
        }
    }

    void cell(int pattern, int row, int channel, int period, int sampleNumber, int effect, int param)
    {
        std::uint8_t* c = &bytes[1084 + pattern * 1024 + (row * 4 + channel) * 4];
        c[0] = static_cast<std::uint8_t>((sampleNumber & 0xF0) | (period >> 8));
        c[1] = static_cast<std::uint8_t>(period);
        c[2] = static_cast<std::uint8_t>(((sampleNumber & 15) << 4) | effect);
        c[3] = static_cast<std::uint8_t>(param);
    }

    std::unique_ptr<mod::Song> parse() const { return mod::parseSong(bytes.data(), bytes.size()); }
};

std::vector<std::int8_t> square(int length, int level)
{
    std::vector<std::int8_t> data(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        data[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(i < length / 2 ? level : -level);
    }
    return data;
}

constexpr int rate = 32000;
constexpr int framesPerTick = rate * 5 / (125 * 2); // 640 at the default tempo

void renderTicks(mod::Player& player, int ticks)
{
    std::vector<std::int16_t> out(static_cast<std::size_t>(framesPerTick) * 2);
    for (int i = 0; i < ticks; ++i) {
        player.render(out.data(), framesPerTick);
    }
}

TEST(ModSongTest, ParsesHeaderPatternsAndSamples)
{
    ModBuilder b;
    b.sample(1, square(64, 100), 48, 16, 32);
    b.cell(0, 0, 2, 428, 1, 0xC, 0x20);
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    EXPECT_EQ(song->length, 1);
    EXPECT_EQ(song->restart, 0); // 127 is past the end: start over
    const mod::Cell& cell = song->cell(0, 0, 2);
    EXPECT_EQ(cell.period, 428);
    EXPECT_EQ(cell.sample, 1);
    EXPECT_EQ(cell.effect, 0xC);
    EXPECT_EQ(cell.param, 0x20);
    EXPECT_EQ(song->samples[0].data.size(), 64u);
    EXPECT_EQ(song->samples[0].volume, 48);
    EXPECT_EQ(song->samples[0].loopStart, 16);
    EXPECT_EQ(song->samples[0].loopLength, 32);
    EXPECT_EQ(song->samples[1].loopLength, 0);
}

TEST(ModSongTest, RefusesWhatIsNotACompleteFourChannelModule)
{
    struct Case {
        const char* what;
        void (*spoil)(std::vector<std::uint8_t>&);
    };
    const Case cases[] = {
        {"empty", [](std::vector<std::uint8_t>& b) { b.clear(); }},
        {"header only", [](std::vector<std::uint8_t>& b) { b.resize(1000); }},
        {"other signature", [](std::vector<std::uint8_t>& b) { std::memcpy(&b[1080], "8CHN", 4); }},
        {"no orders", [](std::vector<std::uint8_t>& b) { b[950] = 0; }},
        {"too many orders", [](std::vector<std::uint8_t>& b) { b[950] = 129; }},
        {"pattern missing", [](std::vector<std::uint8_t>& b) { b[952] = 1; }},
        {"sample data cut off", [](std::vector<std::uint8_t>& b) { b.pop_back(); }},
    };
    for (const Case& c : cases) {
        ModBuilder b;
        b.sample(1, square(32, 50), 64);
        c.spoil(b.bytes);
        EXPECT_EQ(mod::parseSong(b.bytes.data(), b.bytes.size()), nullptr) << c.what;
    }
    EXPECT_EQ(mod::parseSong(nullptr, 5000), nullptr);
}

TEST(ModSongTest, ClampsLoopsToTheSampleData)
{
    ModBuilder b;
    b.sample(1, square(32, 50), 64, 16, 64);  // loop runs past the end
    b.sample(2, square(32, 50), 64, 40, 8);   // loop starts past the end
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    EXPECT_EQ(song->samples[0].loopStart, 16);
    EXPECT_EQ(song->samples[0].loopLength, 16);
    EXPECT_EQ(song->samples[1].loopLength, 0);
}

TEST(ModPlayerTest, RowsLastSpeedTicksAtTheTempo)
{
    ModBuilder b;
    b.cell(0, 2, 0, 0, 0, 0xF, 3);    // speed 3
    b.cell(0, 3, 1, 0, 0, 0xF, 250);  // tempo 250: ticks of 320 frames
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    mod::Player player(*song, rate);
    renderTicks(player, 6);
    EXPECT_EQ(player.row(), 1);
    renderTicks(player, 6);
    EXPECT_EQ(player.row(), 2);
    renderTicks(player, 3);
    EXPECT_EQ(player.speed(), 3);
    EXPECT_EQ(player.row(), 3);
    renderTicks(player, 1); // row 3 starts: tempo 250
    EXPECT_EQ(player.tempo(), 250);
    std::vector<std::int16_t> out(320 * 2 * 2);
    player.render(out.data(), 320 * 2); // the rest of row 3
    EXPECT_EQ(player.row(), 4);
}

TEST(ModPlayerTest, EffectsChangePeriodAndVolumeOverARow)
{
    struct Case {
        const char* what;
        int effect;
        int param;
        int period;  // after the six ticks of the row
        int volume;
    };
    // Every note starts at period 428 with the sample's volume 32.
    const Case cases[] = {
        {"set volume", 0xC, 50, 428, 50},
        {"set volume clamps", 0xC, 90, 428, 64},
        {"slide up", 0xA, 0x30, 428, 47},
        {"slide down", 0xA, 0x07, 428, 0},
        {"portamento up", 0x1, 4, 408, 32},
        {"portamento down", 0x2, 10, 478, 32},
        {"portamento up stops at B-3", 0x1, 80, 113, 32},
        {"fine portamento up", 0xE, 0x15, 423, 32},
        {"fine portamento down", 0xE, 0x23, 431, 32},
        {"fine slide up", 0xE, 0xA5, 428, 37},
        {"fine slide down", 0xE, 0xB5, 428, 27},
        {"note cut", 0xE, 0xC2, 428, 0},
    };
    for (const Case& c : cases) {
        ModBuilder b;
        b.sample(1, square(64, 100), 32, 0, 64);
        b.cell(0, 0, 0, 428, 1, c.effect, c.param);
        auto song = b.parse();
        ASSERT_NE(song, nullptr);
        mod::Player player(*song, rate);
        renderTicks(player, 6);
        EXPECT_EQ(player.channel(0).period, c.period) << c.what;
        EXPECT_EQ(player.channel(0).volume, c.volume) << c.what;
        EXPECT_TRUE(player.channel(0).playing) << c.what;
    }
}

TEST(ModPlayerTest, TonePortamentoSlidesToTheNoteWithoutRestarting)
{
    ModBuilder b;
    b.sample(1, square(64, 100), 64, 0, 64);
    b.cell(0, 0, 0, 428, 1, 0, 0);
    b.cell(0, 1, 0, 404, 0, 0x3, 3);
    b.cell(0, 2, 0, 0, 0, 0x3, 0); // goes on with the remembered speed
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    mod::Player player(*song, rate);
    renderTicks(player, 12);
    EXPECT_EQ(player.channel(0).period, 428 - 5 * 3);
    renderTicks(player, 6);
    EXPECT_EQ(player.channel(0).period, 404);
}

TEST(ModPlayerTest, SongFlowJumpsBreaksAndLoops)
{
    ModBuilder b(2, 3); // orders 0 1 0
    b.cell(0, 0, 0, 0, 0, 0xD, 0x12);  // break to row 12 of the next order
    b.cell(1, 12, 0, 0, 0, 0xB, 2);    // jump to order 2
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    mod::Player player(*song, rate);
    renderTicks(player, 6);
    EXPECT_EQ(player.order(), 1);
    EXPECT_EQ(player.row(), 12);
    renderTicks(player, 6);
    EXPECT_EQ(player.order(), 2);
    EXPECT_EQ(player.row(), 0);
    renderTicks(player, 6); // order 2 plays pattern 0 again: break to order 3, past the end
    EXPECT_EQ(player.order(), 0);
    EXPECT_EQ(player.row(), 12);
}

TEST(ModPlayerTest, PatternLoopRepeatsRows)
{
    ModBuilder b;
    b.cell(0, 1, 0, 0, 0, 0xE, 0x60);  // loop start
    b.cell(0, 2, 0, 0, 0, 0xE, 0x62);  // back to row 1, twice
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    mod::Player player(*song, rate);
    std::vector<int> rows;
    for (int i = 0; i < 8; ++i) {
        renderTicks(player, 6);
        rows.push_back(player.row());
    }
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 1, 2, 1, 2, 3, 4}));
}

TEST(ModPlayerTest, MixesChannelsToTheirAmigaSides)
{
    ModBuilder b;
    b.sample(1, std::vector<std::int8_t>(64, 100), 64, 0, 64); // constant, looped
    b.cell(0, 0, 1, 428, 1, 0, 0);                               // a right channel
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    mod::Player player(*song, rate);
    std::vector<std::int16_t> out(200 * 2);
    player.render(out.data(), 200);
    // 100 * 64 on the right at three halves, a half crossing to the left.
    EXPECT_EQ(out[399], 9600);
    EXPECT_EQ(out[398], 3200);
}

TEST(ModPlayerTest, UnloopedSampleEndsInSilence)
{
    ModBuilder b;
    b.sample(1, std::vector<std::int8_t>(32, 100), 64);
    b.cell(0, 0, 0, 428, 1, 0, 0);
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    mod::Player player(*song, rate);
    std::vector<std::int16_t> out(framesPerTick * 2);
    player.render(out.data(), framesPerTick);
    EXPECT_NE(out[0], 0);
    EXPECT_FALSE(player.channel(0).playing);
    EXPECT_EQ(out[framesPerTick * 2 - 2], 0);
    EXPECT_EQ(out[framesPerTick * 2 - 1], 0);
}

} // namespace

// Any cell the file can hold, in any order, plays without reading outside the
// song: random notes, samples, effects and parameters for a minute of sound.
TEST(ModPlayerTest, SurvivesArbitraryCells)
{
    ModBuilder b(2, 4);
    b.sample(1, square(64, 120), 64, 8, 40);
    b.sample(2, square(20, 80), 40);
    b.sample(3, {}, 64);
    std::uint32_t state = 12345;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>(state >> 16);
    };
    for (int p = 0; p < 2; ++p) {
        for (int row = 0; row < 64; ++row) {
            for (int c = 0; c < 4; ++c) {
                b.cell(p, row, c, next() % 3 == 0 ? next() % 4096 : 0, next() % 32, next() % 16, next() % 256);
            }
        }
    }
    auto song = b.parse();
    ASSERT_NE(song, nullptr);
    for (int mixRate : {8000, 44100}) {
        mod::Player player(*song, mixRate);
        std::vector<std::int16_t> out(static_cast<std::size_t>(mixRate) * 2);
        for (int second = 0; second < 60; ++second) {
            player.render(out.data(), mixRate);
            ASSERT_LT(player.order(), song->length);
            ASSERT_LT(player.row(), 64);
        }
    }
}

#ifdef TOVI_TEST_MODULE
// The module the programs ship: it parses, plays sound and loops for ever.
TEST(ModPlayerTest, PlaysAndLoopsTheShippedModule)
{
    FILE* file = std::fopen(TOVI_TEST_MODULE, "rb");
    ASSERT_NE(file, nullptr) << TOVI_TEST_MODULE;
    std::vector<std::uint8_t> bytes(1 << 20);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    auto song = mod::parseSong(bytes.data(), bytes.size());
    ASSERT_NE(song, nullptr);

    mod::Player player(*song, rate);
    std::vector<std::int16_t> out(rate * 2);
    bool wrapped = false;
    int loudest = 0;
    int lastOrder = 0;
    for (int second = 0; second < 600 && !wrapped; ++second) {
        player.render(out.data(), rate);
        for (std::int16_t v : out) {
            loudest = std::max(loudest, std::abs(static_cast<int>(v)));
        }
        wrapped = player.order() < lastOrder;
        lastOrder = player.order();
    }
    EXPECT_TRUE(wrapped);
    EXPECT_GT(loudest, 1000);
}
#endif
