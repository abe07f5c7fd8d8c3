#pragma once

#include <cstdint>

// Row conversions with SSE2 (the x86-64 baseline; the 32-bit build enables it)
// and with AVX2 (chosen at run time). Each converts what it can in whole vector
// groups and hands the rest of the row to the narrower path, so the results are
// those of the scalar rows on every row length and alignment.
//
// Float channels go to 8 bits without comparisons: adding 1.0 leaves the eight
// top fraction bits of every value in [0, 1) at bits 15-22; shifting the sum's
// bits arithmetically by 15 and subtracting 0x7F00 gives the channel, while
// every sum from 2.0 up (values from 0x3F7FFFFF up, +inf and positive NaN) comes
// out above 255 and every sum below 1.0 or with the sign set (the non-positive
// values and negative NaN) comes out negative. The saturating packs then clamp
// to 0 and 255. The 5- and 6-bit channels are the top bits of the 8-bit ones.
#define TOVI_ROW_DECLARATIONS                                                                         \
    void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count); \
    void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count); \
    void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count);   \
    void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count);   \
    void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count);   \
    void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count);   \
    void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count); \
    void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count); \
    void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count);      \
    void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count);   \
    void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count);     \
    void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count);     \
    void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count);     \
    void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count);     \
    void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count);   \
    void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count);

#if defined(__SSE2__)
#define TOVI_HAS_SSE2_ROWS 1
namespace sse2rows {
TOVI_ROW_DECLARATIONS
}
#endif

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define TOVI_HAS_AVX2_ROWS 1
namespace avx2rows {
TOVI_ROW_DECLARATIONS
}
#endif

#undef TOVI_ROW_DECLARATIONS
