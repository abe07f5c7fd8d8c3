#include "display/converters/VectorRows.h"

#if defined(TOVI_HAS_SSE2_ROWS)

#include "display/converters/ChunkedRows.h"
#include "display/converters/ScalarRows.h"

#include <emmintrin.h>

namespace sse2rows {

namespace {

inline __m128i loadWords(const unsigned char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline void storeWords(unsigned char* p, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// One float pixel to four 32-bit lanes holding unused, blue, green and red as
// 8-bit values before clamping (see VectorRows.h).
inline __m128i unclampedChannels(const unsigned char* p)
{
    const __m128 sum = _mm_add_ps(_mm_loadu_ps(reinterpret_cast<const float*>(p)), _mm_set1_ps(1.0f));
    return _mm_sub_epi32(_mm_srai_epi32(_mm_castps_si128(sum), 15), _mm_set1_epi32(0x7F00));
}

// XRGB8888 words with byte 0 and byte 2 exchanged and the top byte cleared.
inline __m128i swapRedBlue(__m128i w)
{
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i green = _mm_and_si128(w, _mm_set1_epi32(0xFF00));
    const __m128i blue = _mm_slli_epi32(_mm_and_si128(w, byte), 16);
    const __m128i red = _mm_and_si128(_mm_srli_epi32(w, 16), byte);
    return _mm_or_si128(_mm_or_si128(green, blue), red);
}

// Four words whose low three bytes are wanted, packed into the low 12 bytes.
inline __m128i packLowThreeBytes(__m128i w)
{
    const __m128i low = _mm_and_si128(w, _mm_set_epi32(0, 0xFFFFFF, 0, 0xFFFFFF));
    const __m128i high = _mm_and_si128(_mm_srli_epi64(w, 8), _mm_set_epi32(0xFFFF, 0xFF000000, 0xFFFF, 0xFF000000));
    const __m128i pairs = _mm_or_si128(low, high);
    return _mm_or_si128(_mm_move_epi64(pairs), _mm_slli_si128(_mm_srli_si128(pairs, 8), 6));
}

// Three-byte rows are written 16 bytes at a time, 12 of them valid; the 4 extra
// bytes land on the next group, so the loop stops while that group still lies
// inside the row.
template <bool swap>
inline void intToThreeBytes(const unsigned char* source, unsigned char* destination, std::uint32_t count,
                            scalarrows::Row tail)
{
    std::uint32_t i = 0;
    for (; i + 6 <= count; i += 4) {
        __m128i w = loadWords(source + 4 * std::size_t{i});
        if constexpr (swap) {
            w = swapRedBlue(w);
        }
        storeWords(destination + 3 * std::size_t{i}, packLowThreeBytes(w));
    }
    tail(source + 4 * std::size_t{i}, destination + 3 * std::size_t{i}, count - i);
}

// 16-bit layouts: shape computes each pixel's value in the high half of its
// lane, the arithmetic shift copies bit 15 upwards, and the signed pack then
// keeps every 16-bit pattern as it is.
template <typename Shape>
inline void intToSixteenBits(const unsigned char* source, unsigned char* destination, std::uint32_t count,
                             scalarrows::Row tail, Shape shape)
{
    std::uint32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i a = _mm_srai_epi32(shape(loadWords(source + 4 * std::size_t{i})), 16);
        const __m128i b = _mm_srai_epi32(shape(loadWords(source + 4 * std::size_t{i} + 16)), 16);
        storeWords(destination + 2 * std::size_t{i}, _mm_packs_epi32(a, b));
    }
    tail(source + 4 * std::size_t{i}, destination + 2 * std::size_t{i}, count - i);
}

inline __m128i field(__m128i w, int leftShift, int mask)
{
    return _mm_and_si128(_mm_slli_epi32(w, leftShift), _mm_set1_epi32(mask));
}
inline __m128i fieldRight(__m128i w, int rightShift, int mask)
{
    return _mm_and_si128(_mm_srli_epi32(w, rightShift), _mm_set1_epi32(mask));
}

} // namespace

void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    std::uint32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const unsigned char* p = source + 16 * std::size_t{i};
        const __m128i low = _mm_packs_epi32(unclampedChannels(p), unclampedChannels(p + 16));
        const __m128i high = _mm_packs_epi32(unclampedChannels(p + 32), unclampedChannels(p + 48));
        // Bytes unused, blue, green, red per pixel; dropping the unused byte
        // moves the colours into place and leaves the top byte 0.
        storeWords(destination + 4 * std::size_t{i}, _mm_srli_epi32(_mm_packus_epi16(low, high), 8));
    }
    scalarrows::floatToXrgb8888(source + 16 * std::size_t{i}, destination + 4 * std::size_t{i}, count - i);
}

void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    std::uint32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        storeWords(destination + 4 * std::size_t{i}, swapRedBlue(loadWords(source + 4 * std::size_t{i})));
    }
    scalarrows::intToXbgr8888(source + 4 * std::size_t{i}, destination + 4 * std::size_t{i}, count - i);
}

void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToThreeBytes<true>(source, destination, count, scalarrows::intToRgb888);
}

void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToThreeBytes<false>(source, destination, count, scalarrows::intToBgr888);
}

void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits(source, destination, count, scalarrows::intToRgb565, [](__m128i w) {
        return _mm_or_si128(_mm_or_si128(field(w, 8, static_cast<int>(0xF8000000u)), field(w, 11, 0x07E00000)),
                            field(w, 13, 0x001F0000));
    });
}

void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits(source, destination, count, scalarrows::intToBgr565, [](__m128i w) {
        return _mm_or_si128(_mm_or_si128(field(w, 24, static_cast<int>(0xF8000000u)), field(w, 11, 0x07E00000)),
                            fieldRight(w, 3, 0x001F0000));
    });
}

void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits(source, destination, count, scalarrows::intToXrgb1555, [](__m128i w) {
        return _mm_or_si128(_mm_or_si128(field(w, 7, 0x7C000000), field(w, 10, 0x03E00000)),
                            field(w, 13, 0x001F0000));
    });
}

void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits(source, destination, count, scalarrows::intToXbgr1555, [](__m128i w) {
        return _mm_or_si128(_mm_or_si128(field(w, 23, 0x7C000000), field(w, 10, 0x03E00000)),
                            fieldRight(w, 3, 0x001F0000));
    });
}

// Float 0 of every destination pixel is left unwritten: each pixel gets one
// 8-byte store for blue and green and one 4-byte store for red.
void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    const __m128 scale = _mm_castsi128_ps(_mm_set1_epi32(0x3B808081));
    const __m128i zero = _mm_setzero_si128();
    std::uint32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i w = loadWords(source + 4 * std::size_t{i});
        const __m128i low = _mm_unpacklo_epi8(w, zero);
        const __m128i high = _mm_unpackhi_epi8(w, zero);
        const __m128i channels[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                                     _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
        unsigned char* d = destination + 16 * std::size_t{i};
        for (int k = 0; k < 4; ++k, d += 16) {
            const __m128 v = _mm_mul_ps(_mm_cvtepi32_ps(channels[k]), scale);
            _mm_storeu_si64(d + 4, _mm_castps_si128(v));
            _mm_storeu_si32(d + 12, _mm_castps_si128(_mm_movehl_ps(v, v)));
        }
    }
    scalarrows::intToFloat(source + 4 * std::size_t{i}, destination + 16 * std::size_t{i}, count - i);
}

void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToXbgr8888, 4, source, destination, count);
}
void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToRgb888, 3, source, destination, count);
}
void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToBgr888, 3, source, destination, count);
}
void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToRgb565, 2, source, destination, count);
}
void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToBgr565, 2, source, destination, count);
}
void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToXrgb1555, 2, source, destination, count);
}
void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    chunkedrows::throughXrgb8888(floatToXrgb8888, intToXbgr1555, 2, source, destination, count);
}

} // namespace sse2rows

#endif
