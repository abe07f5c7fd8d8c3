#include "display/converters/RowPaths.h"

#include "display/converters/VectorRows.h"

#include <atomic>

namespace rowpaths {

namespace {

#if defined(TOVI_HAS_AVX2_ROWS)
// Whether the processor runs AVX2: -1 until first asked. Any thread may ask
// first; they all find the same answer, so the race is harmless, and the
// relaxed atomic keeps it defined. It is read once per row.
constinit std::atomic<int> avx2Available{-1};

bool hasAvx2()
{
    int available = avx2Available.load(std::memory_order_relaxed);
    if (available < 0) {
        __builtin_cpu_init();
        available = __builtin_cpu_supports("avx2") ? 1 : 0;
        avx2Available.store(available, std::memory_order_relaxed);
    }
    return available != 0;
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
