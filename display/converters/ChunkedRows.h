#pragma once

#include <cstdint>

// A float row to any integer layout in two steps over a small stack block:
// first to XRGB8888, then from XRGB8888 to the layout. The integer rules keep
// the top bits of each 8-bit channel, which are the top bits of the same sum
// the direct 5- and 6-bit rule uses, so the result is the same bit for bit.
namespace chunkedrows {

inline constexpr std::uint32_t blockPixels = 256;

using Row = void (*)(const unsigned char* source, unsigned char* destination, std::uint32_t count);

inline void throughXrgb8888(Row floatRow, Row intRow, std::uint32_t destinationSize, const unsigned char* source,
                            unsigned char* destination, std::uint32_t count)
{
    alignas(32) unsigned char block[blockPixels * 4];
    while (count != 0) {
        const std::uint32_t part = count < blockPixels ? count : blockPixels;
        floatRow(source, block, part);
        intRow(block, destination, part);
        source += std::size_t{16} * part;
        destination += std::size_t{destinationSize} * part;
        count -= part;
    }
}

} // namespace chunkedrows
