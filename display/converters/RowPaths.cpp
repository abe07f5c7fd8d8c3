#include "display/converters/RowPaths.h"

namespace rowpaths {

void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToXrgb8888(source, destination, count);
}

void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToXbgr8888(source, destination, count);
}

void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToRgb888(source, destination, count);
}

void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToBgr888(source, destination, count);
}

void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToRgb565(source, destination, count);
}

void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToBgr565(source, destination, count);
}

void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToXrgb1555(source, destination, count);
}

void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::floatToXbgr1555(source, destination, count);
}

void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToFloat(source, destination, count);
}

void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToXbgr8888(source, destination, count);
}

void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToRgb888(source, destination, count);
}

void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToBgr888(source, destination, count);
}

void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToRgb565(source, destination, count);
}

void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToBgr565(source, destination, count);
}

void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToXrgb1555(source, destination, count);
}

void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    scalarrows::intToXbgr1555(source, destination, count);
}

} // namespace rowpaths
