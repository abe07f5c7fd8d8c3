#include "tests/e2e/Process.h"
#include "tests/e2e/XServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

// Both programs, started from the build folder on a virtual X server and
// driven with the standard X tools as a user would: the window, the picture,
// Alt+Enter, Escape and the window manager's close request.
namespace {

using namespace std::chrono_literals;
using e2e::Geometry;
using e2e::Process;

constexpr int screenWidth = 1024;
constexpr int screenHeight = 768;

std::map<std::string, std::string> withDisplay(const std::string& display)
{
    // In a sanitizer build the X, D-Bus and GL libraries that SDL loads keep
    // memory until exit, which the leak check would count against the
    // program; our own objects are checked for leaks by the headless tests.
    const char* asan = std::getenv("ASAN_OPTIONS");
    const std::string asanOptions = std::string(asan != nullptr && *asan != '\0' ? asan : "") +
                                    (asan != nullptr && *asan != '\0' ? ":" : "") + "detect_leaks=0";
    // Nothing may steer the programs elsewhere than the display under test.
    return {{"DISPLAY", display},
            {"WAYLAND_DISPLAY", ""},
            {"SDL_VIDEODRIVER", ""},
            {"SDL_AUDIODRIVER", "dummy"},
            {"ASAN_OPTIONS", asanOptions}};
}

std::unique_ptr<Process> startProgram(const std::string& name, const std::map<std::string, std::string>& environment)
{
    return std::make_unique<Process>(std::vector<std::string>{std::string(TOVI_BIN_DIR) + "/" + name}, environment,
                                     TOVI_BIN_DIR);
}

class IntroOnX : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (e2e::XServer::available()) {
            server = new e2e::XServer(screenWidth, screenHeight);
        }
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        if (server == nullptr) {
            GTEST_SKIP() << "Xvfb, xdotool, xwininfo or ImageMagick's import is not installed; "
                            "install xvfb xdotool x11-utils imagemagick to run the end-to-end tests";
        }
        ASSERT_TRUE(server->ready()) << "Xvfb did not start on " << server->display();
        tools = std::make_unique<e2e::XTools>(server->display());
    }

    // Starts a program and waits for its one window.
    std::string launch(const std::string& name)
    {
        program = startProgram(name, withDisplay(server->display()));
        const std::vector<std::string> found = tools->windows("tovi", 10.0);
        if (found.size() != 1) {
            ADD_FAILURE() << name << " shows " << found.size() << " windows titled tovi; output: " << program->output();
            return "";
        }
        return found.front();
    }

    // Waits until the window's geometry satisfies `wanted`.
    template <typename Wanted>
    Geometry waitFor(const std::string& window, Wanted wanted)
    {
        Geometry g;
        const auto end = std::chrono::steady_clock::now() + 5s;
        do {
            g = tools->geometry(window);
            if (wanted(g)) {
                break;
            }
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < end);
        return g;
    }

    static bool coversTheScreen(const Geometry& g)
    {
        return g.viewable && g.x == 0 && g.y == 0 && g.width == screenWidth && g.height == screenHeight;
    }
    static bool isInAFrame(const Geometry& g)
    {
        return g.viewable && g.x > 0 && g.y > g.x;
    }
    static bool isTheWindowedClientArea(const Geometry& g)
    {
        return g.viewable && g.width == 400 && g.height == 300;
    }

    void expectEndsWithStatus0()
    {
        const std::optional<int> status = program->wait(3s);
        ASSERT_TRUE(status.has_value()) << "the program did not end";
        EXPECT_EQ(*status, 0);
    }

    static e2e::XServer* server;
    std::unique_ptr<e2e::XTools> tools;
    std::unique_ptr<Process> program;
};

e2e::XServer* IntroOnX::server = nullptr;

TEST_F(IntroOnX, WindowedShowsTheIntroCentredTogglesFullscreenAndEndsOnEscape)
{
    const std::string window = launch("intro_windowed");
    ASSERT_FALSE(window.empty());
    const Geometry g = waitFor(window, isTheWindowedClientArea);
    ASSERT_TRUE(isTheWindowedClientArea(g)) << g.width << "x" << g.height;
    // The whole window is centred; the caption makes the client area sit a
    // little lower than the middle.
    EXPECT_EQ(g.x + g.width / 2, screenWidth / 2);
    EXPECT_NEAR(g.y + g.height / 2, screenHeight / 2, 24);

    std::this_thread::sleep_for(1s);
    const std::optional<e2e::Screenshot> shot = tools->screenshot();
    ASSERT_TRUE(shot.has_value());
    int warm = 0;
    int specks = 0;
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const unsigned char* p = shot->at(g.x + x, g.y + y);
            if (y < g.height / 3 && p[0] > 150 && p[0] > p[2] + 60) {
                ++warm;
            }
            if (y >= g.height / 3 && (p[0] | p[1] | p[2]) != 0) {
                ++specks;
            }
        }
    }
    EXPECT_GT(warm, 50) << "no scroller text in the top third";
    EXPECT_GT(specks, 50) << "no background specks";
    if (const char* file = std::getenv("TOVI_E2E_SCREENSHOT")) {
        EXPECT_TRUE(tools->screenshotTo(file, g));
    }

    tools->altEnter(window);
    const Geometry full = waitFor(window, coversTheScreen);
    EXPECT_TRUE(coversTheScreen(full)) << full.x << "," << full.y << " " << full.width << "x" << full.height;
    // Back in the windowed layout the client area sits inside the frame again;
    // it keeps the size the whole window had, so here that of the screen.
    tools->altEnter(window);
    const Geometry back = waitFor(window, isInAFrame);
    EXPECT_TRUE(isInAFrame(back)) << back.x << "," << back.y << " " << back.width << "x" << back.height;

    tools->key(window, "Escape");
    expectEndsWithStatus0();
}

TEST_F(IntroOnX, TheWindowsCloseRequestEndsTheProgram)
{
    const std::string window = launch("intro_windowed");
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(isTheWindowedClientArea(waitFor(window, isTheWindowedClientArea)));
    int code = -1;
    e2e::run({TOVI_CLOSE_REQUEST, window}, {{"DISPLAY", server->display()}}, &code);
    ASSERT_EQ(code, 0);
    expectEndsWithStatus0();
}

TEST_F(IntroOnX, FullscreenCoversTheScreenAndEndsOnEscape)
{
    const std::string window = launch("intro_fullscreen");
    ASSERT_FALSE(window.empty());
    const Geometry g = waitFor(window, coversTheScreen);
    EXPECT_TRUE(coversTheScreen(g)) << g.x << "," << g.y << " " << g.width << "x" << g.height;
    tools->key(window, "Escape");
    expectEndsWithStatus0();
}

TEST(IntroWithoutX, WindowedReportsThatTheDisplayCannotBeOpened)
{
    auto environment = withDisplay("");
    std::unique_ptr<Process> program = startProgram("intro_windowed", environment);
    const std::optional<int> status = program->wait(10s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(*status, 1);
    EXPECT_EQ(program->output(), "Error opening display.\n");
}

} // namespace
