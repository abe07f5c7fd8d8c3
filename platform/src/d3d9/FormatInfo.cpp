#include "d3d9/FormatInfo.h"

#include <cstring>

namespace d3d9 {

int bytesPerPixel(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8B8G8R8:
    case D3DFMT_A8B8G8R8:
        return 4;
    case D3DFMT_R8G8B8:
        return 3;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
        return 2;
    case D3DFMT_A32B32G32R32F:
        return 16;
    default:
        return 0;
    }
}

namespace {

std::uint32_t pack(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (red << 16) | (green << 8) | blue;
}

// Widens a 5- or 6-bit channel to 8 bits so that full intensity stays full.
std::uint32_t widen5(std::uint32_t v)
{
    return (v << 3) | (v >> 2);
}

std::uint32_t widen6(std::uint32_t v)
{
    return (v << 2) | (v >> 4);
}

std::uint32_t floatChannel(float v)
{
    if (!(v > 0.0f)) {
        return 0;
    }
    if (v >= 1.0f) {
        return 255;
    }
    return static_cast<std::uint32_t>(v * 255.0f + 0.5f);
}

} // namespace

void unpackRow(D3DFORMAT format, const unsigned char* row, std::uint32_t* out, int count)
{
    for (int x = 0; x < count; ++x) {
        std::uint32_t word = 0;
        switch (format) {
        case D3DFMT_X8R8G8B8:
        case D3DFMT_A8R8G8B8: {
            std::memcpy(&word, row + x * 4, 4);
            word &= 0x00FFFFFFu;
            break;
        }
        case D3DFMT_X8B8G8R8:
        case D3DFMT_A8B8G8R8: {
            const unsigned char* p = row + x * 4;
            word = pack(p[0], p[1], p[2]);
            break;
        }
        case D3DFMT_R8G8B8: {
            const unsigned char* p = row + x * 3;
            word = pack(p[2], p[1], p[0]);
            break;
        }
        case D3DFMT_R5G6B5: {
            std::uint16_t v;
            std::memcpy(&v, row + x * 2, 2);
            word = pack(widen5(v >> 11), widen6((v >> 5) & 63u), widen5(v & 31u));
            break;
        }
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5: {
            std::uint16_t v;
            std::memcpy(&v, row + x * 2, 2);
            word = pack(widen5((v >> 10) & 31u), widen5((v >> 5) & 31u), widen5(v & 31u));
            break;
        }
        case D3DFMT_A32B32G32R32F: {
            float v[4];
            std::memcpy(v, row + x * 16, 16);
            word = pack(floatChannel(v[0]), floatChannel(v[1]), floatChannel(v[2]));
            break;
        }
        default:
            break;
        }
        out[x] = word;
    }
}

} // namespace d3d9
