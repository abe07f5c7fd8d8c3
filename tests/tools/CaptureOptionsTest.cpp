#include "tools/capture/CaptureOptions.h"
#include "tools/capture/FrameList.h"

#include <gtest/gtest.h>

namespace {

struct ListCase {
    const char* list;
    std::vector<int> frames; // empty: the list is refused
};

class FrameListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(FrameListTest, Parses)
{
    const ListCase& c = GetParam();
    std::string error;
    const std::vector<int> frames = parseFrameList(c.list, error);
    EXPECT_EQ(frames, c.frames) << c.list;
    if (c.frames.empty()) {
        EXPECT_FALSE(error.empty()) << c.list;
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FrameListTest,
    ::testing::Values(ListCase{"1", {1}}, ListCase{"1,25,44,1000", {1, 25, 44, 1000}},
                      ListCase{"100-103,2", {2, 100, 101, 102, 103}}, ListCase{"5,3-5,4", {3, 4, 5}},
                      ListCase{"7-7", {7}}, ListCase{"10000000", {10000000}}, ListCase{"", {}}, ListCase{"0", {}},
                      ListCase{"-3", {}}, ListCase{"1,-3", {}}, ListCase{"0-4", {}}, ListCase{"5-2", {}},
                      ListCase{"1,,2", {}}, ListCase{"1,", {}}, ListCase{",1", {}}, ListCase{"a", {}},
                      ListCase{"1.5", {}}, ListCase{" 1", {}}, ListCase{"+1", {}}, ListCase{"1-", {}},
                      ListCase{"1-2-3", {}}, ListCase{"10000001", {}}, ListCase{"99999999999999999999", {}}));

TEST(CaptureOptionsTest, ReadsFramesFolderAndFormats)
{
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(parseCaptureOptions({"--frames", "3,1", "--out", "/tmp/d"}, options, error)) << error;
    EXPECT_EQ(options.frames, (std::vector<int>{1, 3}));
    EXPECT_EQ(options.outDir, "/tmp/d");
    EXPECT_TRUE(options.png) << "PNG is the default";
    EXPECT_FALSE(options.raw);

    ASSERT_TRUE(parseCaptureOptions({"--raw", "--out=/tmp/e", "--frames=2"}, options, error)) << error;
    EXPECT_EQ(options.frames, (std::vector<int>{2}));
    EXPECT_EQ(options.outDir, "/tmp/e");
    EXPECT_TRUE(options.raw);
    EXPECT_FALSE(options.png) << "--raw alone writes only raw frames";

    ASSERT_TRUE(parseCaptureOptions({"--raw", "--png", "--frames", "2", "--out", "d"}, options, error));
    EXPECT_TRUE(options.raw && options.png);

    ASSERT_TRUE(parseCaptureOptions({"--frames", "x", "--help"}, options, error));
    EXPECT_TRUE(options.help);
}

TEST(CaptureOptionsTest, RefusesBadArguments)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--out", "/tmp/d"},
        {"--frames", "1"},
        {"--frames", "1", "--out"},
        {"--frames", "1", "--out", ""},
        {"--frames", "0", "--out", "/tmp/d"},
        {"--frames", "1", "--frames", "2", "--out", "/tmp/d"},
        {"--frames", "1", "--out", "/tmp/d", "--jpeg"},
        {"--frames", "1", "--out", "/tmp/d", "extra"},
    };
    for (const auto& arguments : cases) {
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(parseCaptureOptions(arguments, options, error)) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

} // namespace
