#pragma once

#include "display/PixelFormat.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// An independent statement of the conversion rules for the tests: the float
// rule as floor(x * 2^N), raised by one within 2^-24 below the next step,
// worked out in double precision; the integer rules from the layout table.
namespace reference {

inline std::uint32_t channel(float x, unsigned bits)
{
    const std::uint32_t maximum = (1u << bits) - 1;
    if (std::isnan(x)) {
        return std::signbit(x) ? 0 : maximum;
    }
    if (x <= 0.0f) {
        return 0;
    }
    if (std::isinf(x) || x >= 1.0f) {
        return maximum;
    }
    // Scaling by a power of two and the subtraction are exact in double.
    const double scale = static_cast<double>(1u << bits);
    // x is in (0, 1), so truncation is the floor.
    double k = static_cast<double>(static_cast<std::uint32_t>(static_cast<double>(x) * scale));
    if (static_cast<double>(x) >= (k + 1.0) / scale - 0x1p-24) {
        k += 1.0;
    }
    return k > maximum ? maximum : static_cast<std::uint32_t>(k);
}

inline unsigned bytesPerPixel(PixelFormat format)
{
    switch (format) {
    case XRGB8888:
    case XBGR8888:
        return 4;
    case RGB888:
    case BGR888:
        return 3;
    case RGB565:
    case BGR565:
    case XRGB1555:
    case XBGR1555:
        return 2;
    case XBGRFFFF:
        return 16;
    default:
        return 0;
    }
}

// One destination pixel from channel values of the given widths (r5/g6/b5 and
// so on already reduced), stored little-endian into out.
inline void packChannels(PixelFormat format, std::uint32_t r8, std::uint32_t g8, std::uint32_t b8, std::uint32_t r5,
                         std::uint32_t g6, std::uint32_t g5, std::uint32_t b5, unsigned char* out)
{
    std::uint32_t word = 0;
    switch (format) {
    case XRGB8888: word = (r8 << 16) | (g8 << 8) | b8; break;
    case XBGR8888: word = (b8 << 16) | (g8 << 8) | r8; break;
    case RGB888: out[0] = static_cast<unsigned char>(r8); out[1] = static_cast<unsigned char>(g8); out[2] = static_cast<unsigned char>(b8); return;
    case BGR888: out[0] = static_cast<unsigned char>(b8); out[1] = static_cast<unsigned char>(g8); out[2] = static_cast<unsigned char>(r8); return;
    case RGB565: word = (r5 << 11) | (g6 << 5) | b5; break;
    case BGR565: word = (b5 << 11) | (g6 << 5) | r5; break;
    case XRGB1555: word = (r5 << 10) | (g5 << 5) | b5; break;
    case XBGR1555: word = (b5 << 10) | (g5 << 5) | r5; break;
    default: return;
    }
    std::memcpy(out, &word, bytesPerPixel(format));
}

// The expected row for a float source (16 bytes per pixel) in any integer layout.
inline std::vector<unsigned char> fromFloat(PixelFormat format, const unsigned char* source, std::uint32_t count)
{
    std::vector<unsigned char> out(std::size_t{count} * bytesPerPixel(format));
    for (std::uint32_t i = 0; i < count; ++i) {
        float f[4];
        std::memcpy(f, source + 16 * std::size_t{i}, 16);
        const float blue = f[1], green = f[2], red = f[3];
        packChannels(format, channel(red, 8), channel(green, 8), channel(blue, 8), channel(red, 5), channel(green, 6),
                     channel(green, 5), channel(blue, 5), out.data() + std::size_t{i} * bytesPerPixel(format));
    }
    return out;
}

// The expected row for an XRGB8888 source in any integer layout.
inline std::vector<unsigned char> fromInt(PixelFormat format, const unsigned char* source, std::uint32_t count)
{
    std::vector<unsigned char> out(std::size_t{count} * bytesPerPixel(format));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t b = source[4 * i], g = source[4 * i + 1], r = source[4 * i + 2];
        packChannels(format, r, g, b, r >> 3, g >> 2, g >> 3, b >> 3, out.data() + std::size_t{i} * bytesPerPixel(format));
    }
    return out;
}

inline float bitsToFloat(std::uint32_t bits)
{
    return std::bit_cast<float>(bits);
}

} // namespace reference
