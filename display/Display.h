#pragma once

#include "display/DisplayInterface.h"

// The display an application creates and owns. Construction creates the
// platform implementation and opens it; every operation is forwarded to it.
// Without an implementation every operation answers a harmless default.
class Display : public DisplayInterface {
public:
    Display(const char* title, int width, int height, OutputMode output, PixelMode mode);
    ~Display() override;

    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    bool isOpen() override;
    bool open(const char* title, int width, int height, OutputMode output, PixelMode mode) override;
    void close() override;
    bool update(const IntPixel* pixels) override;
    bool update(const FloatPixel* pixels) override;
    const char* title() override;
    int width() override;
    int height() override;
    PixelMode mode() override;
    OutputMode output() override;
    DisplayListener* listener() override;
    void setListener(DisplayListener* listener) override;
    // Never forwarded: the wrapper of a Display is the Display itself.
    DisplayInterface* wrapper() override;
    void setWrapper(DisplayInterface* wrapper) override;

protected:
    // For tests and embedders that bring their own implementation; takes ownership.
    explicit Display(DisplayInterface* implementation);

private:
    void attach(DisplayInterface* implementation);

    DisplayInterface* implementation;
};
