#include "display/DisplayBase.h"

DisplayBase::DisplayBase() : listener_(nullptr), wrapper_(nullptr)
{
    resetFields();
}

DisplayBase::~DisplayBase()
{
    // The base's own reset: a derived override is already gone here.
    resetFields();
    listener_ = nullptr;
    wrapper_ = nullptr;
}

void DisplayBase::resetFields()
{
    title_[0] = '\0';
    width_ = 0;
    height_ = 0;
    mode_ = ModeFloat;
    output_ = OutputDefault;
    open_ = false;
}

bool DisplayBase::isOpen()
{
    return open_;
}

bool DisplayBase::open(const char* title, int width, int height, OutputMode output, PixelMode mode)
{
    // A derived display tears down its window and device before anything is stored.
    close();

    int length = 0;
    if (title) {
        while (length < maxTitleLength && title[length] != '\0') {
            title_[length] = title[length];
            ++length;
        }
    }
    title_[length] = '\0';

    width_ = width;
    height_ = height;
    output_ = output;
    mode_ = mode;
    open_ = true;
    return true;
}

void DisplayBase::close()
{
    reset();
}

bool DisplayBase::update(const IntPixel* pixels)
{
    if (!pixels) {
        return false;
    }
    return refresh(pixels, nullptr);
}

bool DisplayBase::update(const FloatPixel* pixels)
{
    if (!pixels) {
        return false;
    }
    return refresh(nullptr, pixels);
}

const char* DisplayBase::title()
{
    return title_;
}

int DisplayBase::width()
{
    return width_;
}

int DisplayBase::height()
{
    return height_;
}

PixelMode DisplayBase::mode()
{
    return mode_;
}

OutputMode DisplayBase::output()
{
    return output_;
}

DisplayListener* DisplayBase::listener()
{
    return listener_;
}

void DisplayBase::setListener(DisplayListener* listener)
{
    listener_ = listener;
}

DisplayInterface* DisplayBase::wrapper()
{
    return wrapper_;
}

void DisplayBase::setWrapper(DisplayInterface* wrapper)
{
    wrapper_ = wrapper;
}

bool DisplayBase::refresh(const IntPixel*, const FloatPixel*)
{
    return true;
}

void DisplayBase::reset()
{
    resetFields();
}

bool DisplayBase::windowed()
{
    output_ = OutputWindowed;
    return true;
}

bool DisplayBase::fullscreen()
{
    output_ = OutputFullscreen;
    return true;
}
