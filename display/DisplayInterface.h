#pragma once

#include "display/DisplayModes.h"
#include "display/PixelTypes.h"

class DisplayListener;

// The abstract display. The slot order below is part of the library's
// interface: do not reorder, insert or remove operations.
class DisplayInterface {
public:
    virtual ~DisplayInterface() {}

    virtual bool isOpen() = 0;
    virtual bool open(const char* title, int width, int height, OutputMode output, PixelMode mode) = 0;
    virtual void close() = 0;
    // Both take width() x height() pixels, row-major, top row first, packed.
    virtual bool update(const IntPixel* pixels) = 0;
    virtual bool update(const FloatPixel* pixels) = 0;
    virtual const char* title() = 0;
    virtual int width() = 0;
    virtual int height() = 0;
    virtual PixelMode mode() = 0;
    virtual OutputMode output() = 0;
    virtual DisplayListener* listener() = 0;
    virtual void setListener(DisplayListener* listener) = 0;
    virtual DisplayInterface* wrapper() = 0;
    virtual void setWrapper(DisplayInterface* wrapper) = 0;
};
