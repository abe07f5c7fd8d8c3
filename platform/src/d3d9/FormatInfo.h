#pragma once

#include <d3d9.h>

#include <cstdint>

namespace d3d9 {

// Bytes of one pixel in a surface of this format; 0 for formats we cannot hold.
int bytesPerPixel(D3DFORMAT format);

// One row of a surface in `format` as XRGB8888 words, for showing it.
void unpackRow(D3DFORMAT format, const unsigned char* row, std::uint32_t* out, int count);

} // namespace d3d9
