#pragma once

#include <cstdint>

// Plain per-pixel loops for every conversion that is not a block copy. They are
// the whole implementation on processors without a vector path and finish the
// rows the vector paths leave over. Pointers are untyped byte addresses of the
// first source and destination pixel.
namespace scalarrows {

using Row = void (*)(const unsigned char* source, unsigned char* destination, std::uint32_t count);

void floatToXrgb8888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void floatToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count);

void intToFloat(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToXbgr8888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToRgb888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToBgr888(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToRgb565(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToBgr565(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToXrgb1555(const unsigned char* source, unsigned char* destination, std::uint32_t count);
void intToXbgr1555(const unsigned char* source, unsigned char* destination, std::uint32_t count);

} // namespace scalarrows
