#include "display/converters/ScalarRows.h"

#include "display/converters/ChannelRules.h"

namespace scalarrows {

using namespace pixelrules;

namespace {
constexpr std::uint32_t floatSize = 16;
constexpr std::uint32_t intSize = 4;
} // namespace

void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 4) {
        const FloatChannels c = loadFloatPixel(source);
        store<std::uint32_t>(destination, (floatToChannel<8>(c.red) << 16) | (floatToChannel<8>(c.green) << 8)
                                              | floatToChannel<8>(c.blue));
    }
}

void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 4) {
        const FloatChannels c = loadFloatPixel(source);
        store<std::uint32_t>(destination, (floatToChannel<8>(c.blue) << 16) | (floatToChannel<8>(c.green) << 8)
                                              | floatToChannel<8>(c.red));
    }
}

void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 3) {
        const FloatChannels c = loadFloatPixel(source);
        destination[0] = static_cast<unsigned char>(floatToChannel<8>(c.red));
        destination[1] = static_cast<unsigned char>(floatToChannel<8>(c.green));
        destination[2] = static_cast<unsigned char>(floatToChannel<8>(c.blue));
    }
}

void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 3) {
        const FloatChannels c = loadFloatPixel(source);
        destination[0] = static_cast<unsigned char>(floatToChannel<8>(c.blue));
        destination[1] = static_cast<unsigned char>(floatToChannel<8>(c.green));
        destination[2] = static_cast<unsigned char>(floatToChannel<8>(c.red));
    }
}

void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 2) {
        const FloatChannels c = loadFloatPixel(source);
        store<std::uint16_t>(destination, static_cast<std::uint16_t>((floatToChannel<5>(c.red) << 11)
                                                                     | (floatToChannel<6>(c.green) << 5)
                                                                     | floatToChannel<5>(c.blue)));
    }
}

void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 2) {
        const FloatChannels c = loadFloatPixel(source);
        store<std::uint16_t>(destination, static_cast<std::uint16_t>((floatToChannel<5>(c.blue) << 11)
                                                                     | (floatToChannel<6>(c.green) << 5)
                                                                     | floatToChannel<5>(c.red)));
    }
}

void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 2) {
        const FloatChannels c = loadFloatPixel(source);
        store<std::uint16_t>(destination, static_cast<std::uint16_t>((floatToChannel<5>(c.red) << 10)
                                                                     | (floatToChannel<5>(c.green) << 5)
                                                                     | floatToChannel<5>(c.blue)));
    }
}

void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += floatSize, destination += 2) {
        const FloatChannels c = loadFloatPixel(source);
        store<std::uint16_t>(destination, static_cast<std::uint16_t>((floatToChannel<5>(c.blue) << 10)
                                                                     | (floatToChannel<5>(c.green) << 5)
                                                                     | floatToChannel<5>(c.red)));
    }
}

// Float 0 of each destination pixel belongs to the caller and is not touched.
void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += floatSize) {
        const auto w = load<std::uint32_t>(source);
        store<float>(destination + 4, byteToFloat(w & 0xFFu));
        store<float>(destination + 8, byteToFloat((w >> 8) & 0xFFu));
        store<float>(destination + 12, byteToFloat((w >> 16) & 0xFFu));
    }
}

void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 4) {
        store<std::uint32_t>(destination, xrgbToXbgr8888(load<std::uint32_t>(source)));
    }
}

void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 3) {
        destination[0] = source[2];
        destination[1] = source[1];
        destination[2] = source[0];
    }
}

void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 3) {
        destination[0] = source[0];
        destination[1] = source[1];
        destination[2] = source[2];
    }
}

void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 2) {
        store<std::uint16_t>(destination, xrgbToRgb565(load<std::uint32_t>(source)));
    }
}

void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 2) {
        store<std::uint16_t>(destination, xrgbToBgr565(load<std::uint32_t>(source)));
    }
}

void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 2) {
        store<std::uint16_t>(destination, xrgbToXrgb1555(load<std::uint32_t>(source)));
    }
}

void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i, source += intSize, destination += 2) {
        store<std::uint16_t>(destination, xrgbToXbgr1555(load<std::uint32_t>(source)));
    }
}

} // namespace scalarrows
