#include "display/Display.h"

#include "display/PlatformDisplay.h"

Display::Display(const char* title, int width, int height, OutputMode output, PixelMode mode)
    : implementation(nullptr)
{
    attach(createPlatformDisplay());
    if (implementation) {
        // The result is not kept: the application asks isOpen afterwards.
        implementation->open(title, width, height, output, mode);
    }
}

Display::Display(DisplayInterface* implementation) : implementation(nullptr)
{
    attach(implementation);
}

void Display::attach(DisplayInterface* newImplementation)
{
    implementation = newImplementation;
    if (implementation) {
        implementation->setWrapper(this);
    }
}

Display::~Display()
{
    if (implementation) {
        delete implementation;
        implementation = nullptr;
    }
}

bool Display::isOpen()
{
    return implementation ? implementation->isOpen() : false;
}

bool Display::open(const char* title, int width, int height, OutputMode output, PixelMode mode)
{
    return implementation ? implementation->open(title, width, height, output, mode) : false;
}

void Display::close()
{
    if (implementation) {
        implementation->close();
    }
}

bool Display::update(const IntPixel* pixels)
{
    return implementation ? implementation->update(pixels) : false;
}

bool Display::update(const FloatPixel* pixels)
{
    return implementation ? implementation->update(pixels) : false;
}

const char* Display::title()
{
    return implementation ? implementation->title() : "";
}

int Display::width()
{
    return implementation ? implementation->width() : 0;
}

int Display::height()
{
    return implementation ? implementation->height() : 0;
}

PixelMode Display::mode()
{
    return implementation ? implementation->mode() : ModeFloat;
}

OutputMode Display::output()
{
    return implementation ? implementation->output() : OutputDefault;
}

DisplayListener* Display::listener()
{
    return implementation ? implementation->listener() : nullptr;
}

void Display::setListener(DisplayListener* listener)
{
    if (implementation) {
        implementation->setListener(listener);
    }
}

DisplayInterface* Display::wrapper()
{
    return this;
}

void Display::setWrapper(DisplayInterface*)
{
}
