#include "display/converters/Converters.h"

#include "display/converters/RowPaths.h"

#include <cstring>

namespace {
const unsigned char* bytes(const void* p)
{
    return static_cast<const unsigned char*>(p);
}
unsigned char* bytes(void* p)
{
    return static_cast<unsigned char*>(p);
}
} // namespace

void XBGRFFFFToXBGRFFFFConverter::convert(const void* source, void* destination, std::uint32_t count) const
{
    // Everything is copied, the unused part of each pixel included.
    if (count != 0) {
        std::memcpy(destination, source, std::size_t{16} * count);
    }
}

void XBGRFFFFToXRGB8888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToXrgb8888(bytes(source), bytes(destination), count);
}

void XBGRFFFFToXBGR8888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToXbgr8888(bytes(source), bytes(destination), count);
}

void XBGRFFFFToRGB888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToRgb888(bytes(source), bytes(destination), count);
}

void XBGRFFFFToBGR888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToBgr888(bytes(source), bytes(destination), count);
}

void XBGRFFFFToRGB565Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToRgb565(bytes(source), bytes(destination), count);
}

void XBGRFFFFToBGR565Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToBgr565(bytes(source), bytes(destination), count);
}

void XBGRFFFFToXRGB1555Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToXrgb1555(bytes(source), bytes(destination), count);
}

void XBGRFFFFToXBGR1555Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::floatToXbgr1555(bytes(source), bytes(destination), count);
}

void XRGB8888ToXBGRFFFFConverter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToFloat(bytes(source), bytes(destination), count);
}

void XRGB8888ToXRGB8888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    // Everything is copied, the unused part of each pixel included.
    if (count != 0) {
        std::memcpy(destination, source, std::size_t{4} * count);
    }
}

void XRGB8888ToXBGR8888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToXbgr8888(bytes(source), bytes(destination), count);
}

void XRGB8888ToRGB888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToRgb888(bytes(source), bytes(destination), count);
}

void XRGB8888ToBGR888Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToBgr888(bytes(source), bytes(destination), count);
}

void XRGB8888ToRGB565Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToRgb565(bytes(source), bytes(destination), count);
}

void XRGB8888ToBGR565Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToBgr565(bytes(source), bytes(destination), count);
}

void XRGB8888ToXRGB1555Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToXrgb1555(bytes(source), bytes(destination), count);
}

void XRGB8888ToXBGR1555Converter::convert(const void* source, void* destination, std::uint32_t count) const
{
    rowpaths::intToXbgr1555(bytes(source), bytes(destination), count);
}
