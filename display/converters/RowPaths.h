#pragma once

#include "display/converters/ScalarRows.h"

// The row conversions the converters call: each picks the fastest path the
// processor offers and gives the same bits as the scalar rows.
namespace rowpaths {

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

} // namespace rowpaths
