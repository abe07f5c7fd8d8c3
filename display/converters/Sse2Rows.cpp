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

// XRGB8888 words with byte 0 and byte 2 exchanged and the top byte cleared:
// blue and red are the low bytes of the two 16-bit halves, so exchanging the
// halves swaps them.
inline __m128i swapRedBlue(__m128i w)
{
    const __m128i blueRed = _mm_and_si128(w, _mm_set1_epi32(0x00FF00FF));
    const __m128i redBlue = _mm_shufflehi_epi16(_mm_shufflelo_epi16(blueRed, 0xB1), 0xB1);
    return _mm_or_si128(redBlue, _mm_and_si128(w, _mm_set1_epi32(0xFF00)));
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

// 16-bit layouts: shape computes each pixel's value in the low half of its
// lane. The pack saturates signed values, so the values are moved down by
// 0x8000 into its range and moved back up afterwards.
template <__m128i (*shape)(__m128i)>
inline void intToSixteenBits(const unsigned char* source, unsigned char* destination, std::uint32_t count,
                             scalarrows::Row tail)
{
    const __m128i bias = _mm_set1_epi32(0x8000);
    const __m128i unbias = _mm_set1_epi16(static_cast<short>(0x8000));
    std::uint32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i a = _mm_sub_epi32(shape(loadWords(source + 4 * std::size_t{i})), bias);
        const __m128i b = _mm_sub_epi32(shape(loadWords(source + 4 * std::size_t{i} + 16)), bias);
        storeWords(destination + 2 * std::size_t{i}, _mm_xor_si128(_mm_packs_epi32(a, b), unbias));
    }
    tail(source + 4 * std::size_t{i}, destination + 2 * std::size_t{i}, count - i);
}

inline __m128i fieldRight(__m128i w, int rightShift, int mask)
{
    return _mm_and_si128(_mm_srli_epi32(w, rightShift), _mm_set1_epi32(mask));
}

// Red and blue in one multiply-add: their top five bits, as 16-bit lanes (blue
// low, red high), times the two factors, summed, with the 3 low zero bits
// shifted out.
inline __m128i redAndBlue(__m128i w, int blueFactor, int redFactor)
{
    const __m128i topFive = _mm_and_si128(w, _mm_set1_epi32(0x00F800F8));
    return _mm_srli_epi32(_mm_madd_epi16(topFive, _mm_set1_epi32((redFactor << 16) | blueFactor)), 3);
}

inline __m128i rgb565Shape(__m128i w)
{
    return _mm_or_si128(redAndBlue(w, 1, 1 << 11), fieldRight(w, 5, 0x07E0));
}
inline __m128i bgr565Shape(__m128i w)
{
    return _mm_or_si128(redAndBlue(w, 1 << 11, 1), fieldRight(w, 5, 0x07E0));
}
inline __m128i xrgb1555Shape(__m128i w)
{
    return _mm_or_si128(redAndBlue(w, 1, 1 << 10), fieldRight(w, 6, 0x03E0));
}
inline __m128i xbgr1555Shape(__m128i w)
{
    return _mm_or_si128(redAndBlue(w, 1 << 10, 1), fieldRight(w, 6, 0x03E0));
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
    intToSixteenBits<rgb565Shape>(source, destination, count, scalarrows::intToRgb565);
}

void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<bgr565Shape>(source, destination, count, scalarrows::intToBgr565);
}

void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<xrgb1555Shape>(source, destination, count, scalarrows::intToXrgb1555);
}

void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    intToSixteenBits<xbgr1555Shape>(source, destination, count, scalarrows::intToXbgr1555);
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
