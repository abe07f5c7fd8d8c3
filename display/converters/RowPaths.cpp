#include "display/converters/RowPaths.h"

#include "display/converters/VectorRows.h"

namespace rowpaths {

namespace {

#if defined(TOVI_HAS_AVX2_ROWS)
// Asked per row: the answer is one cached word, and asking each time needs no
// initialisation order and no lock.
bool hasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
#endif

} // namespace

#if defined(TOVI_HAS_AVX2_ROWS)
#define TOVI_ROW(name)                                 \
    if (hasAvx2()) {                                   \
        avx2rows::name(source, destination, count);    \
    } else {                                           \
        sse2rows::name(source, destination, count);    \
    }
#elif defined(TOVI_HAS_SSE2_ROWS)
#define TOVI_ROW(name) sse2rows::name(source, destination, count);
#else
#define TOVI_ROW(name) scalarrows::name(source, destination, count);
#endif

void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToXrgb8888)
}

void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToXbgr8888)
}

void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToRgb888)
}

void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToBgr888)
}

void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToRgb565)
}

void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToBgr565)
}

void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToXrgb1555)
}

void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(floatToXbgr1555)
}

void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToFloat)
}

void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToXbgr8888)
}

void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToRgb888)
}

void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToBgr888)
}

void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToRgb565)
}

void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToBgr565)
}

void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToXrgb1555)
}

void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    TOVI_ROW(intToXbgr1555)
}

#undef TOVI_ROW

} // namespace rowpaths
