#include "display/DisplayBase.h"
#include "display/PlatformDisplay.h"
#include "intro/Intro.h"
#include "intro/IntroState.h"
#include "tests/intro/FakeSound.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// What the intro's display saw, frame by frame.
struct FrameRecord {
    std::int32_t frameCount;
    float introTime;
};

struct ScriptedDisplayControl {
    bool opens = true;
    int framesBeforeClose = 3;
    std::vector<FrameRecord> frames;
    std::string openedWith;
} control;

// Stands in for the platform display: opens or refuses as scripted, and closes
// itself after a number of frames so that the loop ends.
class ScriptedDisplay : public DisplayBase {
public:
    ~ScriptedDisplay() override { fakeSound.calls.push_back("display destroyed"); }

    bool open(const char* title, int width, int height, OutputMode output, PixelMode mode) override
    {
        fakeSound.calls.push_back("display open");
        control.openedWith = std::string(title) + " " + std::to_string(width) + "x" + std::to_string(height) +
                             " output " + std::to_string(output) + " mode " + std::to_string(mode);
        if (!control.opens) {
            return false;
        }
        return DisplayBase::open(title, width, height, output, mode);
    }

    bool refresh(const IntPixel* intPixels, const FloatPixel* floatPixels) override
    {
        EXPECT_EQ(intPixels, nullptr);
        EXPECT_EQ(floatPixels, frameBuffer);
        control.frames.push_back({frameCount, introTime});
        if (static_cast<int>(control.frames.size()) >= control.framesBeforeClose) {
            close();
        }
        return true;
    }
};

} // namespace

DisplayInterface* createPlatformDisplay()
{
    return new ScriptedDisplay();
}

namespace {

struct ChildResult {
    int exitStatus;
    std::string output;
};

// Runs the intro in a child process, since start-up failures end the process,
// and collects what it wrote on standard output.
ChildResult runIntroInChild(OutputMode output)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return {-1, ""};
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[1]);
        const int status = introMain(output);
        std::fflush(stdout);
        _exit(status);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[256];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

class IntroLoop : public testing::Test {
protected:
    void SetUp() override
    {
        fakeSound = FakeSound{};
        control = ScriptedDisplayControl{};
        frameCount = 0;
        lineCount = 0;
        introTime = 0.0f;
    }
};

struct StartupFailure {
    const char* name;
    float version;
    bool initSucceeds;
    bool loadSucceeds;
    const char* message;
};

class IntroStartupFailure : public IntroLoop, public testing::WithParamInterface<StartupFailure> {};

TEST_P(IntroStartupFailure, PrintsItsLineAndEndsWithStatus1BeforeAnyDisplay)
{
    fakeSound.version = GetParam().version;
    fakeSound.initSucceeds = GetParam().initSucceeds;
    fakeSound.loadSucceeds = GetParam().loadSucceeds;
    const ChildResult result = runIntroInChild(OutputWindowed);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.output, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntroStartupFailure,
    testing::Values(
        StartupFailure{"version374", 3.74f, true, true,
                       "Error : You are using the wrong DLL version!  You should be using FMOD 3.75\n"},
        StartupFailure{"initFails", 3.75f, false, true, "Error in initialize\n"},
        StartupFailure{"loadFails", 3.75f, true, false, "Error playing file.\n"}),
    [](const testing::TestParamInfo<StartupFailure>& info) { return info.param.name; });

TEST_F(IntroLoop, Version375IsAcceptedAndTheCallsComeInOrder)
{
    control.framesBeforeClose = 2;
    EXPECT_EQ(introMain(OutputFullscreen), 0);
    EXPECT_EQ(fakeSound.calls, (std::vector<std::string>{"GetVersion", "Init 32000 32 0",
                                                         "LoadSong rezov_ud_ari.mod", "display open", "PlaySong",
                                                         "FreeSong", "Close", "display destroyed"}));
    EXPECT_EQ(control.openedWith, "tovi 400x300 output 2 mode 1");
    EXPECT_EQ(control.frames.size(), 2u);
}

TEST_F(IntroLoop, ADisplayThatDoesNotOpenStillStartsAndFreesTheSongButFails)
{
    control.opens = false;
    const ChildResult result = runIntroInChild(OutputWindowed);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.output, "Error opening display.\n");

    // And in-process, to see the order of the calls and that no frame ran.
    testing::internal::CaptureStdout();
    EXPECT_EQ(introMain(OutputWindowed), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error opening display.\n");
    EXPECT_EQ(fakeSound.calls, (std::vector<std::string>{"GetVersion", "Init 32000 32 0",
                                                         "LoadSong rezov_ud_ari.mod", "display open", "PlaySong",
                                                         "FreeSong", "Close", "display destroyed"}));
    EXPECT_TRUE(control.frames.empty());
}

TEST_F(IntroLoop, TimeAccumulatesInSinglePrecision)
{
    control.framesBeforeClose = 44;
    ASSERT_EQ(introMain(OutputWindowed), 0);
    ASSERT_EQ(control.frames.size(), 44u);

    EXPECT_EQ(control.frames[0].frameCount, 1);
    EXPECT_EQ(control.frames[0].introTime, 0.0799999982f);
    EXPECT_EQ(control.frames[24].frameCount, 25);
    EXPECT_EQ(control.frames[24].introTime, 2.0000002f);
    EXPECT_LT(control.frames[42].introTime, 3.5f);
    EXPECT_EQ(control.frames[43].frameCount, 44);
    EXPECT_EQ(control.frames[43].introTime, 3.5199988f);
    for (std::size_t i = 0; i < control.frames.size(); ++i) {
        EXPECT_EQ(control.frames[i].frameCount, static_cast<std::int32_t>(i + 1));
    }
}

} // namespace
