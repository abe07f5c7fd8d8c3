#include "display/converters/VectorRows.h"

#if defined(TOVI_HAS_AVX2_ROWS)

#include "display/converters/ChunkedRows.h"

#include <cstdint>
#include <immintrin.h>

// Only the functions marked here use AVX2; the dispatcher calls them only on
// processors that have it. The row remainders go to the SSE2 rows.
#define TOVI_AVX2 __attribute__((target("avx2")))

namespace avx2rows {

namespace {

// Pixels to convert with the SSE2 rows first so that the vector accesses to
// row start on a 32-byte boundary: an access split over two cache lines costs
// two. Each caller names the row that gains most, as measured with
// bench_converters. Rows whose pixels cannot reach the boundary are left as
// they are.
inline std::uint32_t pixelsToAlign(const unsigned char* row, std::uint32_t pixelBytes, std::uint32_t count)
{
    const auto misalignment = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(row) & 31);
    if (misalignment == 0 || misalignment % pixelBytes != 0) {
        return 0;
    }
    const std::uint32_t pixels = (32 - misalignment) / pixelBytes;
    return pixels < count ? pixels : count;
}

TOVI_AVX2 inline __m256i loadWords(const unsigned char* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
TOVI_AVX2 inline void storeWords(unsigned char* p, __m256i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// Two float pixels to 32-bit lanes of unclamped 8-bit channels (see VectorRows.h).
TOVI_AVX2 inline __m256i unclampedChannels(const unsigned char* p)
{
    const __m256 sum = _mm256_add_ps(_mm256_loadu_ps(reinterpret_cast<const float*>(p)), _mm256_set1_ps(1.0f));
    return _mm256_sub_epi32(_mm256_srai_epi32(_mm256_castps_si256(sum), 15), _mm256_set1_epi32(0x7F00));
}

TOVI_AVX2 inline __m256i shuffleBytes(__m256i w, char b0, char b1, char b2, char b3)
{
    return _mm256_shuffle_epi8(w, _mm256_setr_epi8(b0, b1, b2, b3, char(b0 + 4), char(b1 + 4), char(b2 + 4),
                                                   char(b3 + 4), char(b0 + 8), char(b1 + 8), char(b2 + 8),
                                                   char(b3 + 8), char(b0 + 12), char(b1 + 12), char(b2 + 12),
                                                   char(b3 + 12), b0, b1, b2, b3, char(b0 + 4), char(b1 + 4),
                                                   char(b2 + 4), char(b3 + 4), char(b0 + 8), char(b1 + 8),
                                                   char(b2 + 8), char(b3 + 8), char(b0 + 12), char(b1 + 12),
                                                   char(b2 + 12), char(b3 + 12)));
}

// Eight words to their low three bytes (in the order first, second, third
// given), 24 bytes at the bottom of the register.
TOVI_AVX2 inline __m256i packThreeBytes(__m256i w, char first, char second, char third)
{
    const char z = char(0x80);
    const __m256i lanes = _mm256_shuffle_epi8(
        w, _mm256_setr_epi8(first, second, third, char(first + 4), char(second + 4), char(third + 4),
                            char(first + 8), char(second + 8), char(third + 8), char(first + 12),
                            char(second + 12), char(third + 12), z, z, z, z, first, second, third,
                            char(first + 4), char(second + 4), char(third + 4), char(first + 8),
                            char(second + 8), char(third + 8), char(first + 12), char(second + 12),
                            char(third + 12), z, z, z, z));
    return _mm256_permutevar8x32_epi32(lanes, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
}

// 32 bytes are stored per group of 8 pixels, 24 valid; the loop keeps the 8
// extra bytes inside the row.
TOVI_AVX2 inline void intToThreeBytes(const unsigned char* source, unsigned char* destination, std::uint32_t count,
                                      char first, char second, char third, chunkedrows::Row rest)
{
    std::uint32_t i = 0;
    for (; i + 11 <= count; i += 8) {
        storeWords(destination + 3 * std::size_t{i},
                   packThreeBytes(loadWords(source + 4 * std::size_t{i}), first, second, third));
    }
    rest(source + 4 * std::size_t{i}, destination + 3 * std::size_t{i}, count - i);
}

// 16-bit layouts: shape computes each pixel's value in the low half of its
// lane; the unsigned pack keeps it and the permutation undoes the pack's
// per-lane order.
template <__m256i (*shape)(__m256i)>
TOVI_AVX2 inline void intToSixteenBits(const unsigned char* source, unsigned char* destination, std::uint32_t count,
                                       chunkedrows::Row rest)
{
    const std::uint32_t head = pixelsToAlign(destination, 2, count);
    rest(source, destination, head);
    source += std::size_t{4} * head;
    destination += std::size_t{2} * head;
    count -= head;
    std::uint32_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const unsigned char* s = source + 4 * std::size_t{i};
        const __m256i a = shape(loadWords(s));
        const __m256i b = shape(loadWords(s + 32));
        const __m256i c = shape(loadWords(s + 64));
        const __m256i d = shape(loadWords(s + 96));
        storeWords(destination + 2 * std::size_t{i}, _mm256_permute4x64_epi64(_mm256_packus_epi32(a, b), 0xD8));
        storeWords(destination + 2 * std::size_t{i} + 32, _mm256_permute4x64_epi64(_mm256_packus_epi32(c, d), 0xD8));
    }
    for (; i + 16 <= count; i += 16) {
        const __m256i a = shape(loadWords(source + 4 * std::size_t{i}));
        const __m256i b = shape(loadWords(source + 4 * std::size_t{i} + 32));
        storeWords(destination + 2 * std::size_t{i}, _mm256_permute4x64_epi64(_mm256_packus_epi32(a, b), 0xD8));
    }
    rest(source + 4 * std::size_t{i}, destination + 2 * std::size_t{i}, count - i);
}

TOVI_AVX2 inline __m256i fieldRight(__m256i w, int shift, int mask)
{
    return _mm256_and_si256(_mm256_srli_epi32(w, shift), _mm256_set1_epi32(mask));
}

// Red and blue in one multiply-add: their top five bits, as 16-bit lanes (blue
// low, red high), times the two factors, summed, with the 3 low zero bits
// shifted out.
TOVI_AVX2 inline __m256i redAndBlue(__m256i w, int blueFactor, int redFactor)
{
    const __m256i topFive = _mm256_and_si256(w, _mm256_set1_epi32(0x00F800F8));
    return _mm256_srli_epi32(_mm256_madd_epi16(topFive, _mm256_set1_epi32((redFactor << 16) | blueFactor)), 3);
}

TOVI_AVX2 inline __m256i intToRgb565Shape(__m256i w)
{
    return _mm256_or_si256(redAndBlue(w, 1, 1 << 11), fieldRight(w, 5, 0x07E0));
}
TOVI_AVX2 inline __m256i intToBgr565Shape(__m256i w)
{
    return _mm256_or_si256(redAndBlue(w, 1 << 11, 1), fieldRight(w, 5, 0x07E0));
}
TOVI_AVX2 inline __m256i intToXrgb1555Shape(__m256i w)
{
    return _mm256_or_si256(redAndBlue(w, 1, 1 << 10), fieldRight(w, 6, 0x03E0));
}
TOVI_AVX2 inline __m256i intToXbgr1555Shape(__m256i w)
{
    return _mm256_or_si256(redAndBlue(w, 1 << 10, 1), fieldRight(w, 6, 0x03E0));
}

} // namespace

TOVI_AVX2 void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    const std::uint32_t head = pixelsToAlign(source, 16, count);
    sse2rows::floatToXrgb8888(source, destination, head);
    source += std::size_t{16} * head;
    destination += std::size_t{4} * head;
    count -= head;
    std::uint32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const unsigned char* p = source + 16 * std::size_t{i};
        const __m256i low = _mm256_packs_epi32(unclampedChannels(p), unclampedChannels(p + 32));
        const __m256i high = _mm256_packs_epi32(unclampedChannels(p + 64), unclampedChannels(p + 96));
        // The packs interleave the two halves: pixels 0, 2, 4, 6 in the low
        // half, 1, 3, 5, 7 in the high one.
        const __m256i pixels = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(low, high),
                                                           _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
        storeWords(destination + 4 * std::size_t{i}, _mm256_srli_epi32(pixels, 8));
    }
    sse2rows::floatToXrgb8888(source + 16 * std::size_t{i}, destination + 4 * std::size_t{i}, count - i);
}

TOVI_AVX2 void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    const std::uint32_t head = pixelsToAlign(destination, 4, count);
    sse2rows::intToXbgr8888(source, destination, head);
    source += std::size_t{4} * head;
    destination += std::size_t{4} * head;
    count -= head;
    std::uint32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        storeWords(destination + 4 * std::size_t{i},
                   shuffleBytes(loadWords(source + 4 * std::size_t{i}), 2, 1, 0, char(0x80)));
    }
    sse2rows::intToXbgr8888(source + 4 * std::size_t{i}, destination + 4 * std::size_t{i}, count - i);
}

TOVI_AVX2 void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToThreeBytes(source, destination, count, 2, 1, 0, sse2rows::intToRgb888);
}

TOVI_AVX2 void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToThreeBytes(source, destination, count, 0, 1, 2, sse2rows::intToBgr888);
}

TOVI_AVX2 void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<intToRgb565Shape>(source, destination, count, sse2rows::intToRgb565);
}

TOVI_AVX2 void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<intToBgr565Shape>(source, destination, count, sse2rows::intToBgr565);
}

TOVI_AVX2 void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<intToXrgb1555Shape>(source, destination, count, sse2rows::intToXrgb1555);
}

TOVI_AVX2 void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<intToXbgr1555Shape>(source, destination, count, sse2rows::intToXbgr1555);
}

// The masked store leaves float 0 of each destination pixel unwritten.
TOVI_AVX2 void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    const __m256 scale = _mm256_castsi256_ps(_mm256_set1_epi32(0x3B808081));
    const __m256i colours = _mm256_setr_epi32(0, -1, -1, -1, 0, -1, -1, -1);
    const std::uint32_t head = pixelsToAlign(destination, 16, count);
    sse2rows::intToFloat(source, destination, head);
    source += std::size_t{4} * head;
    destination += std::size_t{16} * head;
    count -= head;
    std::uint32_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const __m128i two = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + 4 * std::size_t{i}));
        // Blue, green, red moved up one lane, into floats 1 to 3.
        const __m256i channels = _mm256_slli_si256(_mm256_cvtepu8_epi32(two), 4);
        _mm256_maskstore_ps(reinterpret_cast<float*>(destination + 16 * std::size_t{i}), colours,
                            _mm256_mul_ps(_mm256_cvtepi32_ps(channels), scale));
    }
    sse2rows::intToFloat(source + 4 * std::size_t{i}, destination + 16 * std::size_t{i}, count - i);
}

TOVI_AVX2 void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToXbgr8888, 4, source, destination, count);
}
TOVI_AVX2 void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToRgb888, 3, source, destination, count);
}
TOVI_AVX2 void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToBgr888, 3, source, destination, count);
}
TOVI_AVX2 void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToRgb565, 2, source, destination, count);
}
TOVI_AVX2 void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToBgr565, 2, source, destination, count);
}
TOVI_AVX2 void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToXrgb1555, 2, source, destination, count);
}
TOVI_AVX2 void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToXbgr1555, 2, source, destination, count);
}

} // namespace avx2rows

#endif
