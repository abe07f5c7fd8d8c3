#pragma once

#include <cstdint>

// Memory layout of one pixel. Multi-byte words are little-endian; bit 0 is the
// least significant bit of the word.
enum PixelFormat : std::uint32_t {
    Unknown = 0,  // no layout; nothing converts from or to it
    XRGB8888 = 1, // 32-bit word: blue 0-7, green 8-15, red 16-23, 24-31 unused
    XBGR8888 = 2, // 32-bit word: red 0-7, green 8-15, blue 16-23, 24-31 zero
    RGB888 = 3,   // three bytes: red, green, blue
    BGR888 = 4,   // three bytes: blue, green, red
    RGB565 = 5,   // 16-bit word: red 11-15, green 5-10, blue 0-4
    BGR565 = 6,   // 16-bit word: blue 11-15, green 5-10, red 0-4
    XRGB1555 = 7, // 16-bit word: bit 15 zero, red 10-14, green 5-9, blue 0-4
    XBGR1555 = 8, // 16-bit word: bit 15 zero, blue 10-14, green 5-9, red 0-4
    XBGRFFFF = 9, // four floats: unused, blue, green, red; nominally 0 to 1
};
