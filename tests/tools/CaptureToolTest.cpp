#include "display/PixelConverter.h"
#include "intro/Frame.h"
#include "intro/IntroState.h"
#include "tests/intro/PictureFixture.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs intro_capture in its own process, in a fresh scratch folder.
class CaptureToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        scratch = fs::temp_directory_path() /
                  ("intro_capture_test_" + std::to_string(::getpid()) + "_" + test->name());
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        // The tool starts from the program's start; so does this process's own run.
        resetPicture();
    }
    void TearDown() override { fs::remove_all(scratch); }

    RunResult run(const std::string& arguments)
    {
        const fs::path out = scratch / "stdout.txt";
        const fs::path err = scratch / "stderr.txt";
        const std::string command =
            std::string("'") + TOVI_CAPTURE_TOOL + "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(command.c_str());
        RunResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readFile(out);
        result.err = readFile(err);
        fs::remove(out);
        fs::remove(err);
        return result;
    }

    static std::set<std::string> filesIn(const fs::path& folder)
    {
        std::set<std::string> names;
        if (fs::exists(folder)) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                names.insert(entry.path().filename().string());
            }
        }
        return names;
    }

    fs::path scratch;
};

TEST_F(CaptureToolTest, HelpExitsZero)
{
    const RunResult result = run("--help");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("--frames LIST"), std::string::npos);
    EXPECT_TRUE(result.err.empty());
}

TEST_F(CaptureToolTest, BadArgumentsGiveOneLineAndStatus2)
{
    fs::create_directories(scratch / "plain");
    std::ofstream(scratch / "plain" / "file") << "x";
    const std::string out = (scratch / "frames").string();
    const std::vector<std::string> cases = {
        "",
        "--out '" + out + "'",
        "--frames 0 --out '" + out + "'",
        "--frames -2 --out '" + out + "'",
        "--frames 1,x --out '" + out + "'",
        "--frames 4-2 --out '" + out + "'",
        "--frames 1 --out '" + out + "' --bogus",
        // a folder that cannot be made: its parent is a file
        "--frames 1 --out '" + (scratch / "plain" / "file" / "sub").string() + "'",
    };
    for (const std::string& arguments : cases) {
        const RunResult result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
        ASSERT_FALSE(result.err.empty()) << arguments;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
        EXPECT_TRUE(filesIn(out).empty()) << arguments;
    }
    EXPECT_EQ(filesIn(scratch / "plain"), std::set<std::string>{"file"});
}

// The raw frames are the frame buffer as this process computes it itself.
TEST_F(CaptureToolTest, RawFramesAreTheFrameBuffer)
{
    const fs::path out = scratch / "made" / "here";
    const RunResult result = run("--frames 3,1 --out '" + out.string() + "' --raw");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "frame 1 raw " + (out / "frame_1.f32").string() + "\n" + "frame 3 raw " +
                              (out / "frame_3.f32").string() + "\n");
    EXPECT_EQ(filesIn(out), (std::set<std::string>{"frame_1.f32", "frame_3.f32"})) << "no temporary files left";

    for (int frame = 1; frame <= 3; ++frame) {
        advanceFrame();
        if (frame == 2) {
            continue;
        }
        const std::string bytes = readFile(out / ("frame_" + std::to_string(frame) + ".f32"));
        ASSERT_EQ(bytes.size(), 1920000u);
        EXPECT_EQ(std::memcmp(bytes.data(), frameBuffer, bytes.size()), 0) << "frame " << frame;
    }
}

// The PNG holds what the display library's float converter makes of the frame.
TEST_F(CaptureToolTest, PngIsTheConvertedFrame)
{
    const RunResult result = run("--frames 2 --out '" + scratch.string() + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    const fs::path file = scratch / "frame_2.png";
    EXPECT_EQ(result.out, "frame 2 png " + file.string() + "\n");

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, file.c_str()), 0) << image.message;
    EXPECT_EQ(image.width, 400u);
    EXPECT_EQ(image.height, 300u);
    EXPECT_EQ(image.format, static_cast<png_uint_32>(PNG_FORMAT_RGB));
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> read(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr), 0) << image.message;

    advanceFrame();
    advanceFrame();
    std::vector<unsigned char> expected(400 * 300 * 3);
    const PixelConverter* converter = findConverter(XBGRFFFF, RGB888);
    ASSERT_NE(converter, nullptr);
    converter->begin();
    converter->convert(frameBuffer, expected.data(), 400 * 300);
    converter->end();
    EXPECT_TRUE(read == expected);
}

} // namespace
