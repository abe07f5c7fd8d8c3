// Frame conversion speed of every converter beside a memcpy of the same source
// bytes, measured in the same run; a summary lists converter time / memcpy time.
// "sse2:" entries run the SSE2 rows directly, as processors without AVX2 do.
// On a busy machine, --benchmark_repetitions=10 makes the ratios steadier.
#include "display/PixelConverter.h"
#include "display/PixelTypes.h"
#include "display/converters/ScalarRows.h"
#include "display/converters/VectorRows.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

struct FrameSize {
    std::uint32_t width;
    std::uint32_t height;
    std::string name() const { return std::to_string(width) + "x" + std::to_string(height); }
};

const FrameSize frameSizes[] = {{400, 300}, {1920, 1080}};

struct FormatInfo {
    PixelFormat format;
    const char* name;
    std::uint32_t bytes;
};

const FormatInfo formats[] = {
    {XBGRFFFF, "XBGRFFFF", 16}, {XRGB8888, "XRGB8888", 4}, {XBGR8888, "XBGR8888", 4},
    {RGB888, "RGB888", 3},      {BGR888, "BGR888", 3},     {RGB565, "RGB565", 2},
    {BGR565, "BGR565", 2},      {XRGB1555, "XRGB1555", 2}, {XBGR1555, "XBGR1555", 2},
};

// A source frame like the intro's: colours mostly in range, some above 1 and
// below 0 where effects overshoot.
std::vector<unsigned char> makeFrame(PixelFormat format, std::size_t pixels)
{
    std::mt19937 random(7);
    std::vector<unsigned char> frame(pixels * (format == XBGRFFFF ? 16 : 4));
    if (format == XBGRFFFF) {
        std::uniform_real_distribution<float> channel(-0.1f, 1.2f);
        for (std::size_t i = 0; i < frame.size(); i += 4) {
            const float value = channel(random);
            std::memcpy(frame.data() + i, &value, 4);
        }
    } else {
        for (std::size_t i = 0; i < frame.size(); ++i) {
            frame[i] = static_cast<unsigned char>(random());
        }
    }
    return frame;
}

std::string memcpyName(std::uint32_t bytesPerPixel, const FrameSize& size)
{
    return "memcpy_" + std::to_string(bytesPerPixel) + "B/" + size.name();
}

// Converts whole frames row by row, as the blitter does; convertRow is either
// the converter from findConverter or one row path called directly.
template <typename ConvertRow>
void convertFrames(benchmark::State& state, PixelFormat from, std::uint32_t destinationBytes, FrameSize size,
                   ConvertRow convertRow)
{
    const std::size_t pixels = std::size_t{size.width} * size.height;
    const std::vector<unsigned char> source = makeFrame(from, pixels);
    std::vector<unsigned char> destination(pixels * destinationBytes, 0);
    const std::size_t sourcePitch = std::size_t{size.width} * (from == XBGRFFFF ? 16 : 4);
    const std::size_t destinationPitch = std::size_t{size.width} * destinationBytes;
    for (auto _ : state) {
        for (std::uint32_t y = 0; y < size.height; ++y) {
            convertRow(source.data() + y * sourcePitch, destination.data() + y * destinationPitch, size.width);
        }
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * pixels));
}

void convertWithConverter(benchmark::State& state, PixelFormat from, const FormatInfo& to, FrameSize size)
{
    PixelConverter* converter = findConverter(from, to.format);
    converter->begin();
    convertFrames(state, from, to.bytes, size, [converter](const unsigned char* s, unsigned char* d, std::uint32_t n) {
        converter->convert(s, d, n);
    });
    converter->end();
}

#if defined(TOVI_HAS_SSE2_ROWS)
// The SSE2 rows, which processors without AVX2 run.
scalarrows::Row sse2Row(PixelFormat from, PixelFormat to)
{
    using namespace sse2rows;
    const scalarrows::Row fromFloat[] = {nullptr,       floatToXrgb8888, floatToXbgr8888, floatToRgb888,
                                         floatToBgr888, floatToRgb565,   floatToBgr565,   floatToXrgb1555,
                                         floatToXbgr1555, nullptr};
    const scalarrows::Row fromInt[] = {nullptr,     nullptr,     intToXbgr8888, intToRgb888,   intToBgr888,
                                       intToRgb565, intToBgr565, intToXrgb1555, intToXbgr1555, intToFloat};
    return from == XBGRFFFF ? fromFloat[to] : fromInt[to];
}

void convertWithSse2(benchmark::State& state, PixelFormat from, const FormatInfo& to, FrameSize size)
{
    convertFrames(state, from, to.bytes, size, sse2Row(from, to.format));
}
#endif

void copyFrames(benchmark::State& state, std::uint32_t bytesPerPixel, FrameSize size)
{
    const std::size_t bytes = std::size_t{size.width} * size.height * bytesPerPixel;
    const std::vector<unsigned char> source = makeFrame(bytesPerPixel == 16 ? XBGRFFFF : XRGB8888,
                                                        std::size_t{size.width} * size.height);
    std::vector<unsigned char> destination(bytes, 0);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), bytes);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * size.width * size.height));
}

// Keeps the console output and remembers each run's time per frame for the
// summary.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> secondsPerFrame;

    // Processor time per frame, which a busy machine disturbs less than wall
    // time; with --benchmark_repetitions the fastest repetition, the one least
    // disturbed by other work.
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.iterations <= 0) {
                continue;
            }
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
                secondsPerFrame[run.run_name.str()] = seconds;
                haveMinimum.insert(run.run_name.str());
            } else if (run.run_type == Run::RT_Iteration && haveMinimum.count(run.run_name.str()) == 0) {
                secondsPerFrame[run.run_name.str()] = seconds;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::set<std::string> haveMinimum;
};

double fastest(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

struct Entry {
    std::string name;
    std::string baseline;
    double goal;
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<Entry> entries;
    for (const FrameSize& size : frameSizes) {
        for (std::uint32_t bytes : {16u, 4u}) {
            benchmark::RegisterBenchmark(memcpyName(bytes, size).c_str(), copyFrames, bytes, size)
                ->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
        }
        for (PixelFormat from : {XBGRFFFF, XRGB8888}) {
            for (const FormatInfo& to : formats) {
                const std::string name = std::string(from == XBGRFFFF ? "XBGRFFFF" : "XRGB8888") + "_to_" + to.name
                                         + "/" + size.name();
                benchmark::RegisterBenchmark(name.c_str(), convertWithConverter, from, to, size)
                    ->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
                const double goal = (from == XBGRFFFF && to.format == XRGB8888) ? 1.0 : 1.5;
                entries.push_back({name, memcpyName(from == XBGRFFFF ? 16 : 4, size), goal});
#if defined(TOVI_HAS_SSE2_ROWS)
                if (from != to.format) {
                    benchmark::RegisterBenchmark(("sse2:" + name).c_str(), convertWithSse2, from, to, size)
                        ->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", fastest);
                    entries.push_back({"sse2:" + name, memcpyName(from == XBGRFFFF ? 16 : 4, size), goal});
                }
#endif
            }
        }
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-34s %12s %12s %7s %5s\n", "converter / frame", "cpu us/frame", "memcpy us", "ratio", "goal");
    for (const Entry& entry : entries) {
        const auto converted = reporter.secondsPerFrame.find(entry.name);
        const auto copied = reporter.secondsPerFrame.find(entry.baseline);
        if (converted == reporter.secondsPerFrame.end() || copied == reporter.secondsPerFrame.end()) {
            continue; // filtered out of this run
        }
        const double ratio = converted->second / copied->second;
        std::printf("%-34s %12.1f %12.1f %7.2f %5.1f%s\n", entry.name.c_str(), converted->second * 1e6,
                    copied->second * 1e6, ratio, entry.goal, ratio <= entry.goal ? "" : "  over");
    }
    return 0;
}
