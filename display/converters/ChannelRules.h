#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Per-channel and per-pixel rules shared by every conversion path. The vector
// paths must reproduce these bit for bit; the scalar rows use them directly.
namespace pixelrules {

// A float channel to Bits bits. Working on the float's bits keeps NaN and the
// infinities defined and avoids float-to-integer conversion: adding 1.0 puts
// the value into [1, 2), where the top fraction bits are the channel value,
// rounded to nearest-even by the addition itself. 0x3F7FFFFF is the largest
// float below 1.0; it and everything above would round to 2.0 and wrap, so they
// take the maximum instead.
template <unsigned Bits>
inline std::uint32_t floatToChannel(float value)
{
    static_assert(Bits >= 1 && Bits <= 8);
    constexpr unsigned shift = 23 - Bits;
    constexpr std::uint32_t maximum = (1u << Bits) - 1;
    constexpr std::uint32_t mask = maximum << shift;
    const auto bits = std::bit_cast<std::int32_t>(value);
    if (bits <= 0) {
        return 0;
    }
    if (bits >= 0x3F7FFFFF) {
        return maximum;
    }
    const float sum = value + 1.0f;
    return (std::bit_cast<std::uint32_t>(sum) & mask) >> shift;
}

// The float nearest 1/255, so that 255 maps to exactly 1.0.
inline constexpr std::uint32_t byteScaleBits = 0x3B808081;

inline float byteToFloat(std::uint32_t byte)
{
    return static_cast<float>(byte) * std::bit_cast<float>(byteScaleBits);
}

// XRGB8888 words to the other integer layouts (only the top bits of each byte
// survive in the 5- and 6-bit fields; nothing is rounded).
inline std::uint32_t xrgbToXbgr8888(std::uint32_t w)
{
    return ((w & 0xFFu) << 16) | (w & 0xFF00u) | ((w >> 16) & 0xFFu);
}
inline std::uint16_t xrgbToRgb565(std::uint32_t w)
{
    return static_cast<std::uint16_t>(((w >> 8) & 0xF800u) | ((w >> 5) & 0x07E0u) | ((w >> 3) & 0x001Fu));
}
inline std::uint16_t xrgbToBgr565(std::uint32_t w)
{
    return static_cast<std::uint16_t>(((w << 8) & 0xF800u) | ((w >> 5) & 0x07E0u) | ((w >> 19) & 0x001Fu));
}
inline std::uint16_t xrgbToXrgb1555(std::uint32_t w)
{
    return static_cast<std::uint16_t>(((w >> 9) & 0x7C00u) | ((w >> 6) & 0x03E0u) | ((w >> 3) & 0x001Fu));
}
inline std::uint16_t xrgbToXbgr1555(std::uint32_t w)
{
    return static_cast<std::uint16_t>(((w << 7) & 0x7C00u) | ((w >> 6) & 0x03E0u) | ((w >> 19) & 0x001Fu));
}

// Rows come with whatever alignment the surface has, so every access goes
// through memcpy, which compiles to a plain unaligned move.
template <typename T>
inline T load(const unsigned char* p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}
template <typename T>
inline void store(unsigned char* p, T value)
{
    std::memcpy(p, &value, sizeof value);
}

// Float channels of one XBGRFFFF pixel: float 1 blue, float 2 green, float 3 red.
struct FloatChannels {
    float blue;
    float green;
    float red;
};
inline FloatChannels loadFloatPixel(const unsigned char* p)
{
    return {load<float>(p + 4), load<float>(p + 8), load<float>(p + 12)};
}

} // namespace pixelrules
