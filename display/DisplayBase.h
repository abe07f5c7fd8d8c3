#pragma once

#include "display/DisplayInterface.h"

// The common implementation a platform display is built on. It stores what
// open was given, answers every query from that, and funnels both update
// overloads into refresh. On its own it is a display that accepts every frame
// and shows nothing.
class DisplayBase : public DisplayInterface {
public:
    static constexpr int maxTitleLength = 255;

    DisplayBase();
    ~DisplayBase() override;

    DisplayBase(const DisplayBase&) = delete;
    DisplayBase& operator=(const DisplayBase&) = delete;

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
    DisplayInterface* wrapper() override;
    void setWrapper(DisplayInterface* wrapper) override;

    // Called by update with exactly one non-null pointer.
    virtual bool refresh(const IntPixel* intPixels, const FloatPixel* floatPixels);
    // Back to the defaults; listener and wrapper stay.
    virtual void reset();
    virtual bool windowed();
    virtual bool fullscreen();

protected:
    void setOutput(OutputMode output) { output_ = output; }

private:
    void resetFields();

    char title_[maxTitleLength + 1];
    int width_;
    int height_;
    PixelMode mode_;
    OutputMode output_;
    bool open_;
    DisplayListener* listener_;
    DisplayInterface* wrapper_;
};
