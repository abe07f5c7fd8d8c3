#include "display/win32/Direct3DChannelOrder.h"

#include <cstring>

PixelFormat surfaceLayout(PixelFormat format)
{
    return format == RGB888 ? BGR888 : format;
}

bool needsFloatReorder(PixelFormat format)
{
    return format == XBGRFFFF;
}

void toRedGreenBlueAlpha(void* row, std::uint32_t count)
{
    auto* bytes = static_cast<unsigned char*>(row);
    for (std::uint32_t i = 0; i < count; ++i) {
        float pixel[4];
        std::memcpy(pixel, bytes + i * sizeof pixel, sizeof pixel);
        const float reordered[4] = {pixel[3], pixel[2], pixel[1], 1.0f};
        std::memcpy(bytes + i * sizeof pixel, reordered, sizeof reordered);
    }
}
