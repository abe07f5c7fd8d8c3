#include "display/PixelConverter.h"

#include "display/converters/Converters.h"

namespace {

// The shared instances, initialised at compile time: they exist before any
// code runs, whatever the order of static initialisation.
constinit XBGRFFFFToXBGRFFFFConverter floatToFloat;
constinit XBGRFFFFToXRGB8888Converter floatToXrgb8888;
constinit XBGRFFFFToXBGR8888Converter floatToXbgr8888;
constinit XBGRFFFFToRGB888Converter floatToRgb888;
constinit XBGRFFFFToBGR888Converter floatToBgr888;
constinit XBGRFFFFToRGB565Converter floatToRgb565;
constinit XBGRFFFFToBGR565Converter floatToBgr565;
constinit XBGRFFFFToXRGB1555Converter floatToXrgb1555;
constinit XBGRFFFFToXBGR1555Converter floatToXbgr1555;
constinit XRGB8888ToXBGRFFFFConverter intToFloat;
constinit XRGB8888ToXRGB8888Converter intToInt;
constinit XRGB8888ToXBGR8888Converter intToXbgr8888;
constinit XRGB8888ToRGB888Converter intToRgb888;
constinit XRGB8888ToBGR888Converter intToBgr888;
constinit XRGB8888ToRGB565Converter intToRgb565;
constinit XRGB8888ToBGR565Converter intToBgr565;
constinit XRGB8888ToXRGB1555Converter intToXrgb1555;
constinit XRGB8888ToXBGR1555Converter intToXbgr1555;

// Indexed by destination format; index 0 (Unknown) has no converter.
PixelConverter* const fromFloat[10] = {
    nullptr,          &floatToXrgb8888, &floatToXbgr8888, &floatToRgb888,   &floatToBgr888,
    &floatToRgb565,   &floatToBgr565,   &floatToXrgb1555, &floatToXbgr1555, &floatToFloat,
};
PixelConverter* const fromInt[10] = {
    nullptr,        &intToInt,      &intToXbgr8888, &intToRgb888,   &intToBgr888,
    &intToRgb565,   &intToBgr565,   &intToXrgb1555, &intToXbgr1555, &intToFloat,
};

} // namespace

PixelConverter* findConverter(PixelFormat source, PixelFormat destination)
{
    // Any value may arrive here, not only the enumerators: the unsigned
    // comparison rejects everything outside the table.
    const auto index = static_cast<std::uint32_t>(destination);
    if (index >= 10) {
        return nullptr;
    }
    if (source == XBGRFFFF) {
        return fromFloat[index];
    }
    if (source == XRGB8888) {
        return fromInt[index];
    }
    return nullptr;
}
