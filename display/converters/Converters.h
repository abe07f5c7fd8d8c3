#pragma once

#include "display/PixelConverter.h"

// The eighteen conversions, one class each. They have no data; begin and end
// have nothing to do. Each exists once, as a static object handed out by
// findConverter.

class XBGRFFFFToXBGRFFFFConverter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToXRGB8888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToXBGR8888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToRGB888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToBGR888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToRGB565Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToBGR565Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToXRGB1555Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XBGRFFFFToXBGR1555Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToXBGRFFFFConverter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToXRGB8888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToXBGR8888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToRGB888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToBGR888Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToRGB565Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToBGR565Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToXRGB1555Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};

class XRGB8888ToXBGR1555Converter final : public PixelConverter {
public:
    void begin() const override {}
    void convert(const void* source, void* destination, std::uint32_t count) const override;
    void end() const override {}
};
