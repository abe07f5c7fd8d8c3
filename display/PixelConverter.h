#pragma once

#include "display/PixelFormat.h"

#include <cstdint>

// Turns rows of one pixel format into another. A frame is converted by one
// begin, one convert per row (the caller steps over the row pitch) and one end.
// Converters hold no state, so one shared instance serves every caller.
class PixelConverter {
public:
    virtual ~PixelConverter() = default;
    PixelConverter(const PixelConverter&) = delete;
    PixelConverter& operator=(const PixelConverter&) = delete;
    virtual void begin() const = 0;
    // Reads exactly count source pixels and writes exactly count destination
    // pixels, packed; rows may have any alignment and must not overlap.
    virtual void convert(const void* source, void* destination, std::uint32_t count) const = 0;
    virtual void end() const = 0;

protected:
    constexpr PixelConverter() = default;
};

// The shared converter from source to destination, or null when the pair is not
// supported. Only XBGRFFFF and XRGB8888 are sources; destinations are
// XRGB8888 to XBGRFFFF.
PixelConverter* findConverter(PixelFormat source, PixelFormat destination);
