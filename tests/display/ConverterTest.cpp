#include "display/PixelConverter.h"
#include "display/PixelTypes.h"
#include "display/converters/ChannelRules.h"
#include "display/converters/ScalarRows.h"
#include "display/converters/VectorRows.h"
#include "tests/display/ConverterReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using reference::bitsToFloat;
using Row = scalarrows::Row;

constexpr std::uint32_t maxBits(unsigned bits)
{
    return (1u << bits) - 1;
}

std::uint32_t convertOneFloat(PixelFormat destination, const FloatPixel& pixel)
{
    std::uint32_t out = 0;
    findConverter(XBGRFFFF, destination)->convert(&pixel, &out, 1);
    return out;
}

TEST(FloatChannelRule, GivesTheDocumentedValues)
{
    struct Case {
        std::uint32_t bits;
        std::uint32_t to8, to6, to5;
    };
    const std::uint32_t m8 = maxBits(8), m6 = maxBits(6), m5 = maxBits(5);
    const Case cases[] = {
        {std::bit_cast<std::uint32_t>(0.5f), 128, 32, 16},
        {std::bit_cast<std::uint32_t>(0.25f), 64, 16, 8},
        {std::bit_cast<std::uint32_t>(0.75f), 192, 48, 24},
        {std::bit_cast<std::uint32_t>(0.1f), 25, 6, 3},
        {std::bit_cast<std::uint32_t>(1.0f), m8, m6, m5},
        {std::bit_cast<std::uint32_t>(2.0f), m8, m6, m5},
        {0x7F800000, m8, m6, m5}, // +infinity
        {0x7FC00000, m8, m6, m5}, // positive quiet NaN
        {0x7F800001, m8, m6, m5}, // positive signalling NaN
        {0x3F7FFFFF, m8, m6, m5}, // largest float below 1
        {0x3F7FFFFE, m8, m6, m5},
        {0x00000000, 0, 0, 0},
        {0x80000000, 0, 0, 0}, // -0
        {std::bit_cast<std::uint32_t>(-0.5f), 0, 0, 0},
        {0xFFC00000, 0, 0, 0}, // negative NaN
        {0xFF800000, 0, 0, 0}, // -infinity
        {0x00000001, 0, 0, 0}, // smallest positive denormal
        {0x007FFFFF, 0, 0, 0}, // largest positive denormal
        {std::bit_cast<std::uint32_t>(1.0f / 256.0f), 1, 0, 0},
        {0x3B7FFFFF, 1, 0, 0}, // just below 1/256, yet rounded up by the addition
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bits 0x" << std::hex << c.bits);
        const float x = bitsToFloat(c.bits);
        EXPECT_EQ(pixelrules::floatToChannel<8>(x), c.to8);
        EXPECT_EQ(pixelrules::floatToChannel<6>(x), c.to6);
        EXPECT_EQ(pixelrules::floatToChannel<5>(x), c.to5);
        // The same value on all three channels, through the real converters.
        const FloatPixel pixel{0.0f, x, x, x};
        EXPECT_EQ(convertOneFloat(XRGB8888, pixel), c.to8 * 0x010101u);
        EXPECT_EQ(convertOneFloat(RGB565, pixel), (c.to5 << 11) | (c.to6 << 5) | c.to5);
    }
}

TEST(FloatConverters, RedOneGreenHalfInEveryIntegerLayout)
{
    struct Case {
        PixelFormat destination;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {XRGB8888, {0x00, 0x80, 0xFF, 0x00}}, {XBGR8888, {0xFF, 0x80, 0x00, 0x00}},
        {RGB888, {0xFF, 0x80, 0x00}},         {BGR888, {0x00, 0x80, 0xFF}},
        {RGB565, {0x00, 0xFC}},               {BGR565, {0x1F, 0x04}},
        {XRGB1555, {0x00, 0x7E}},             {XBGR1555, {0x1F, 0x02}},
    };
    const FloatPixel pixel{123.0f, 0.0f, 0.5f, 1.0f};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << c.destination);
        std::vector<unsigned char> out(c.bytes.size() + 4, 0xEE);
        findConverter(XBGRFFFF, c.destination)->convert(&pixel, out.data(), 1);
        std::vector<unsigned char> expected = c.bytes;
        expected.resize(out.size(), 0xEE);
        EXPECT_EQ(out, expected);
    }
}

TEST(IntConverters, EveryByteSurvivesTheRoundTripThroughFloat)
{
    constexpr float untouched = -7.25f;
    std::vector<IntPixel> source(256);
    for (std::uint32_t v = 0; v < 256; ++v) {
        source[v] = 0xA5000000u | (v << 16) | (((v + 85) & 0xFF) << 8) | ((v + 170) & 0xFF);
    }
    std::vector<FloatPixel> floats(256, FloatPixel{untouched, untouched, untouched, untouched});
    findConverter(XRGB8888, XBGRFFFF)->convert(source.data(), floats.data(), 256);
    std::vector<IntPixel> back(256, 0xDEADBEEF);
    findConverter(XBGRFFFF, XRGB8888)->convert(floats.data(), back.data(), 256);
    for (std::uint32_t v = 0; v < 256; ++v) {
        EXPECT_EQ(floats[v].unused, untouched) << v;
        EXPECT_EQ(back[v], source[v] & 0x00FFFFFFu) << v;
    }
    EXPECT_EQ(floats[255].red, 1.0f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(floats[0].red), 0u);
    EXPECT_EQ(floats[0].red * 0.0f, 0.0f);
}

TEST(Copies, KeepTheUnusedPartsWhileOtherConvertersClearThem)
{
    const IntPixel word = 0xC1234567;
    IntPixel copy = 0, swapped = 0;
    findConverter(XRGB8888, XRGB8888)->convert(&word, &copy, 1);
    findConverter(XRGB8888, XBGR8888)->convert(&word, &swapped, 1);
    EXPECT_EQ(copy, 0xC1234567u);
    EXPECT_EQ(swapped, 0x00674523u);

    const FloatPixel pixel{-3.5f, 0.25f, 2.0f, std::bit_cast<float>(0x7FC00001u)};
    FloatPixel out{};
    findConverter(XBGRFFFF, XBGRFFFF)->convert(&pixel, &out, 1);
    EXPECT_EQ(std::memcmp(&out, &pixel, sizeof pixel), 0);
}

const PixelFormat destinations[] = {XRGB8888, XBGR8888, RGB888, BGR888, RGB565, BGR565, XRGB1555, XBGR1555, XBGRFFFF};

TEST(Converters, CountZeroWritesNothing)
{
    const std::array<unsigned char, 64> source{};
    for (PixelFormat from : {XBGRFFFF, XRGB8888}) {
        for (PixelFormat to : destinations) {
            std::array<unsigned char, 64> out;
            out.fill(0x5A);
            PixelConverter* converter = findConverter(from, to);
            converter->begin();
            converter->convert(source.data(), out.data(), 0);
            converter->end();
            for (unsigned char b : out) {
                ASSERT_EQ(b, 0x5A) << from << " to " << to;
            }
        }
    }
}

TEST(FindConverter, GivesOneSharedConverterPerSupportedPairAndNullOtherwise)
{
    std::vector<const PixelConverter*> seen;
    const std::uint32_t values[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0x80000000u, 0xFFFFFFFFu};
    for (std::uint32_t from : values) {
        for (std::uint32_t to : values) {
            const PixelConverter* converter =
                findConverter(static_cast<PixelFormat>(from), static_cast<PixelFormat>(to));
            const bool supported = (from == XBGRFFFF || from == XRGB8888) && to >= 1 && to <= 9;
            EXPECT_EQ(converter != nullptr, supported) << from << " to " << to;
            if (converter != nullptr) {
                EXPECT_EQ(converter, findConverter(static_cast<PixelFormat>(from), static_cast<PixelFormat>(to)));
                for (const PixelConverter* other : seen) {
                    EXPECT_NE(converter, other);
                }
                seen.push_back(converter);
            }
        }
    }
    EXPECT_EQ(seen.size(), 18u);
}

// ---- every path against the reference, on awkward rows ----

struct Conversion {
    const char* name;
    PixelFormat from;
    PixelFormat to;
    std::array<Row, 3> paths; // scalar, SSE2, AVX2; null where there is none
};

#if defined(TOVI_HAS_SSE2_ROWS)
#define TOVI_SSE2(name) sse2rows::name
#else
#define TOVI_SSE2(name) nullptr
#endif
#if defined(TOVI_HAS_AVX2_ROWS)
#define TOVI_AVX2_ROW(name) avx2rows::name
#else
#define TOVI_AVX2_ROW(name) nullptr
#endif
#define TOVI_CONVERSION(name, from, to) \
    Conversion{#name, from, to, {scalarrows::name, TOVI_SSE2(name), TOVI_AVX2_ROW(name)}}

const Conversion conversions[] = {
    {"floatCopy", XBGRFFFF, XBGRFFFF, {}},
    TOVI_CONVERSION(floatToXrgb8888, XBGRFFFF, XRGB8888),
    TOVI_CONVERSION(floatToXbgr8888, XBGRFFFF, XBGR8888),
    TOVI_CONVERSION(floatToRgb888, XBGRFFFF, RGB888),
    TOVI_CONVERSION(floatToBgr888, XBGRFFFF, BGR888),
    TOVI_CONVERSION(floatToRgb565, XBGRFFFF, RGB565),
    TOVI_CONVERSION(floatToBgr565, XBGRFFFF, BGR565),
    TOVI_CONVERSION(floatToXrgb1555, XBGRFFFF, XRGB1555),
    TOVI_CONVERSION(floatToXbgr1555, XBGRFFFF, XBGR1555),
    TOVI_CONVERSION(intToFloat, XRGB8888, XBGRFFFF),
    {"intCopy", XRGB8888, XRGB8888, {}},
    TOVI_CONVERSION(intToXbgr8888, XRGB8888, XBGR8888),
    TOVI_CONVERSION(intToRgb888, XRGB8888, RGB888),
    TOVI_CONVERSION(intToBgr888, XRGB8888, BGR888),
    TOVI_CONVERSION(intToRgb565, XRGB8888, RGB565),
    TOVI_CONVERSION(intToBgr565, XRGB8888, BGR565),
    TOVI_CONVERSION(intToXrgb1555, XRGB8888, XRGB1555),
    TOVI_CONVERSION(intToXbgr1555, XRGB8888, XBGR1555),
};

bool pathAvailable(std::size_t path)
{
#if defined(TOVI_HAS_AVX2_ROWS)
    if (path == 2) {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
    }
#endif
    return true;
}

// Float channels mixing the special values, values within a few units of the
// last place of every rounding step, plain values in range and random bits.
std::uint32_t awkwardFloatBits(std::mt19937& random)
{
    static const std::uint32_t specials[] = {
        0x00000000, 0x80000000, 0x7F800000, 0xFF800000, 0x7FC00000, 0xFFC00000, 0x7F800001, 0xFFBFFFFF,
        0x7FFFFFFF, 0x00000001, 0x007FFFFF, 0x80000001, 0x3F800000, 0x3F7FFFFF, 0x3F7FFFFE, 0x40000000,
        0x7F7FFFFF, 0xBF000000, 0x3B7FFFFF, 0x3B800000, 0xBF800000, 0xC0400000,
    };
    switch (random() % 4) {
    case 0:
        return specials[random() % std::size(specials)];
    case 1: {
        const unsigned bits = (random() % 3 == 0) ? 8 : (random() % 2 ? 6 : 5);
        const float step = std::ldexp(1.0f, -static_cast<int>(bits)) * static_cast<float>(1 + random() % maxBits(bits));
        const float below = step - std::ldexp(1.0f, -24);
        const auto base = std::bit_cast<std::uint32_t>(random() % 2 ? step : below);
        return base + (random() % 5) - 2;
    }
    case 2:
        return std::bit_cast<std::uint32_t>(std::uniform_real_distribution<float>(0.0f, 1.0f)(random));
    default:
        return static_cast<std::uint32_t>(random());
    }
}

std::vector<unsigned char> makeSource(PixelFormat from, std::uint32_t count, std::mt19937& random)
{
    std::vector<unsigned char> source(std::size_t{count} * reference::bytesPerPixel(from));
    for (std::size_t i = 0; i < source.size(); i += 4) {
        const std::uint32_t word = from == XBGRFFFF ? awkwardFloatBits(random) : static_cast<std::uint32_t>(random());
        std::memcpy(source.data() + i, &word, 4);
    }
    return source;
}

constexpr unsigned char fill = 0xA5;

// The whole destination buffer after a correct conversion: guards and float 0
// of every float pixel keep the fill.
std::vector<unsigned char> expectedBuffer(const Conversion& c, const std::vector<unsigned char>& source,
                                          std::uint32_t count, std::size_t offset, std::size_t size)
{
    std::vector<unsigned char> buffer(size, fill);
    unsigned char* row = buffer.data() + offset;
    if (c.from == c.to) {
        std::copy(source.begin(), source.end(), row);
    } else if (c.to == XBGRFFFF) {
        const float scale = bitsToFloat(pixelrules::byteScaleBits);
        for (std::uint32_t i = 0; i < count; ++i) {
            for (int k = 0; k < 3; ++k) {
                // byte times K, exact in double, rounded once to float
                const float value = static_cast<float>(double(source[4 * i + k]) * double(scale));
                std::memcpy(row + 16 * std::size_t{i} + 4 + 4 * k, &value, 4);
            }
        }
    } else {
        const std::vector<unsigned char> pixels = c.from == XBGRFFFF ? reference::fromFloat(c.to, source.data(), count)
                                                                      : reference::fromInt(c.to, source.data(), count);
        std::copy(pixels.begin(), pixels.end(), row);
    }
    return buffer;
}

// Bytes from p up to the next 32-byte boundary.
std::size_t toBoundary(const unsigned char* p)
{
    return (32 - (reinterpret_cast<std::uintptr_t>(p) & 31)) & 31;
}

TEST(ConverterPaths, EveryPathMatchesTheRuleOnAwkwardRows)
{
    const std::uint32_t counts[] = {0, 1, 3, 7, 8, 9, 15, 16, 17, 31, 33, 400};
    // Offsets from a 32-byte boundary, so that rows start on, off and at every
    // distance from the boundary the vector paths align to.
    const std::pair<std::size_t, std::size_t> offsets[] = {{0, 0},  {1, 3},   {3, 1},   {8, 5},
                                                           {16, 16}, {4, 12}, {12, 20}, {20, 2}};
    std::mt19937 random(20261211);
    for (const Conversion& c : conversions) {
        // path 3 is the converter itself, as findConverter hands it out
        for (std::size_t path = 0; path < 4; ++path) {
            if (path < 3 && (c.paths[path] == nullptr || !pathAvailable(path))) {
                continue;
            }
            for (std::uint32_t count : counts) {
                for (auto [sourceOffset, destinationOffset] : offsets) {
                    SCOPED_TRACE(testing::Message() << c.name << " path " << path << " count " << count
                                                    << " offsets " << sourceOffset << "/" << destinationOffset);
                    const std::vector<unsigned char> pixels = makeSource(c.from, count, random);
                    std::vector<unsigned char> source(32 + sourceOffset + pixels.size() + 32, 0x3C);
                    const std::size_t sourceStart = toBoundary(source.data()) + sourceOffset;
                    std::copy(pixels.begin(), pixels.end(), source.begin() + static_cast<std::ptrdiff_t>(sourceStart));
                    const std::size_t size = 32 + destinationOffset + std::size_t{count} * reference::bytesPerPixel(c.to) + 40;
                    std::vector<unsigned char> destination(size, fill);
                    const std::size_t destinationStart = toBoundary(destination.data()) + destinationOffset;
                    if (path < 3) {
                        c.paths[path](source.data() + sourceStart, destination.data() + destinationStart, count);
                    } else {
                        findConverter(c.from, c.to)->convert(source.data() + sourceStart,
                                                             destination.data() + destinationStart, count);
                    }
                    ASSERT_EQ(destination, expectedBuffer(c, pixels, count, destinationStart, size));
                }
            }
        }
    }
}

} // namespace
