#pragma once

#include "display/PixelFormat.h"

#include <cstdint>

// Two back-buffer formats that a device may accept store their channels in a
// different memory order than the layout toDirect3DFormat pairs them with:
// D3DFMT_R8G8B8 keeps blue, green, red bytes, and D3DFMT_A32B32G32R32F keeps
// red, green, blue, alpha floats. Writing our layouts unchanged into them would
// swap red and blue, so frames are written in the Direct3D format's own order.

// The layout a row is converted to for a surface chosen as `format`.
PixelFormat surfaceLayout(PixelFormat format);

// True when rows converted to surfaceLayout(format) still need
// toRedGreenBlueAlpha afterwards.
bool needsFloatReorder(PixelFormat format);

// Rewrites count XBGRFFFF pixels in place as red, green, blue, alpha 1.
void toRedGreenBlueAlpha(void* row, std::uint32_t count);
