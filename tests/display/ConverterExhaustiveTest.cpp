#include "display/PixelConverter.h"
#include "display/converters/ChannelRules.h"
#include "display/converters/VectorRows.h"
#include "tests/display/ConverterReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// Every float bit pattern through the channel rule and through the converters
// that the screen uses, against the reference. Each pattern fills all three
// channels of a pixel, so XRGB8888 checks 8 bits and RGB565 5 and 6 bits. The
// converters take the widest vector path the processor has; the SSE2 row is
// checked as well, since it is the one processors without AVX2 take.
struct Failures {
    std::atomic<std::uint64_t> count{0};
    std::atomic<std::uint32_t> firstBits{0};
    void record(std::uint32_t bits)
    {
        if (count.fetch_add(1) == 0) {
            firstBits = bits;
        }
    }
};

void checkRange(std::uint64_t begin, std::uint64_t end, Failures& failures)
{
    constexpr std::uint32_t block = 4096;
    std::vector<float> pixels(4 * std::size_t{block});
    std::vector<std::uint32_t> wide(block);
    std::vector<std::uint16_t> narrow(block);
    std::vector<std::uint32_t> baseline(block);
    PixelConverter* toWide = findConverter(XBGRFFFF, XRGB8888);
    PixelConverter* toNarrow = findConverter(XBGRFFFF, RGB565);
    for (std::uint64_t first = begin; first < end; first += block) {
        const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(block, end - first));
        for (std::uint32_t i = 0; i < count; ++i) {
            const float x = reference::bitsToFloat(static_cast<std::uint32_t>(first + i));
            pixels[4 * i] = 0.0f;
            pixels[4 * i + 1] = x;
            pixels[4 * i + 2] = x;
            pixels[4 * i + 3] = x;
        }
        toWide->convert(pixels.data(), wide.data(), count);
        toNarrow->convert(pixels.data(), narrow.data(), count);
#if defined(TOVI_HAS_SSE2_ROWS)
        sse2rows::floatToXrgb8888(reinterpret_cast<const unsigned char*>(pixels.data()),
                                  reinterpret_cast<unsigned char*>(baseline.data()), count);
#else
        std::copy(wide.begin(), wide.end(), baseline.begin());
#endif
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto bits = static_cast<std::uint32_t>(first + i);
            const float x = pixels[4 * i + 1];
            const std::uint32_t r8 = reference::channel(x, 8);
            const std::uint32_t r6 = reference::channel(x, 6);
            const std::uint32_t r5 = reference::channel(x, 5);
            if (pixelrules::floatToChannel<8>(x) != r8 || pixelrules::floatToChannel<6>(x) != r6
                || pixelrules::floatToChannel<5>(x) != r5 || wide[i] != r8 * 0x010101u || baseline[i] != wide[i]
                || narrow[i] != ((r5 << 11) | (r6 << 5) | r5)) {
                failures.record(bits);
            }
        }
    }
}

TEST(FloatChannelRuleExhaustive, EveryBitPatternMatchesTheReference)
{
    constexpr std::uint64_t all = std::uint64_t{1} << 32;
    const unsigned threads = std::max(2u, std::min(8u, std::thread::hardware_concurrency()));
    Failures failures;
    std::vector<std::thread> workers;
    // Interleaved slices keep the costly positive range shared between threads.
    constexpr std::uint64_t slice = std::uint64_t{1} << 24;
    std::atomic<std::uint64_t> next{0};
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (std::uint64_t start = next.fetch_add(slice); start < all; start = next.fetch_add(slice)) {
                checkRange(start, start + slice, failures);
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(failures.count.load(), 0u) << "first failing bits 0x" << std::hex << failures.firstBits.load();
}

} // namespace
