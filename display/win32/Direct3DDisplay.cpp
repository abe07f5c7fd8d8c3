#include "display/win32/Direct3DDisplay.h"

#include "display/DisplayListener.h"
#include "display/win32/DisplayWindow.h"

Direct3DDisplay::Direct3DDisplay()
    : direct3d(Direct3DCreate9(D3D_SDK_VERSION)),
      window(nullptr),
      blitter(nullptr),
      closeRequested(false),
      toggleRequested(false)
{
}

Direct3DDisplay::~Direct3DDisplay()
{
    close();
    deleteRetiredWindow();
    if (direct3d != nullptr) {
        direct3d->Release();
        direct3d = nullptr;
    }
}

bool Direct3DDisplay::open(const char* title, int width, int height, OutputMode output, PixelMode mode)
{
    DisplayBase::open(title, width, height, output, mode);

    window = new DisplayWindow(this, this, title, width, height);
    window->listener = listener();
    if (window->handle == nullptr) {
        close();
        return false;
    }

    const bool switched = (output == OutputDefault || output == OutputWindowed) ? windowed() : fullscreen();
    if (!switched) {
        return false;
    }

    if (DisplayListener* receiver = listener()) {
        receiver->onOpen(wrapper() != nullptr ? wrapper() : this);
    }
    return true;
}

void Direct3DDisplay::close()
{
    if (blitter != nullptr) {
        delete blitter;
        blitter = nullptr;
    }
    if (window != nullptr) {
        releaseWindow();
    }
    reset();
}

void Direct3DDisplay::releaseWindow()
{
    DestroyWindow(window->handle);
    window->handle = nullptr;
    DestroyCursor(window->blankCursor);
    if (pumpDepth > 0) {
        // Still inside this window's dispatch: it goes once the pump returns.
        deleteRetiredWindow();
        retiredWindow = window;
    } else {
        delete window;
    }
    window = nullptr;
}

void Direct3DDisplay::deleteRetiredWindow()
{
    delete retiredWindow;
    retiredWindow = nullptr;
}

void Direct3DDisplay::pump(DisplayWindow* pumped)
{
    ++pumpDepth;
    pumped->pumpMessages();
    --pumpDepth;
    if (pumpDepth == 0) {
        deleteRetiredWindow();
    }
}

void Direct3DDisplay::setListener(DisplayListener* listener)
{
    DisplayBase::setListener(listener);
    if (window != nullptr) {
        window->listener = listener;
    }
}

bool Direct3DDisplay::refresh(const IntPixel* intPixels, const FloatPixel* floatPixels)
{
    if (closeRequested) {
        close();
        return false;
    }
    if (toggleRequested) {
        toggleRequested = false;
        // A failed switch has closed the display; the steps below then find
        // neither window nor blitter.
        if (output() == OutputWindowed) {
            fullscreen();
        } else {
            windowed();
        }
    }
    if (window != nullptr) {
        pump(window);
    }
    if (blitter != nullptr) {
        blitter->blit(intPixels, floatPixels);
    }
    if (window != nullptr && !IsWindowVisible(window->handle)) {
        ShowWindow(window->handle, SW_SHOW);
        pump(window);
    }
    return true;
}

void Direct3DDisplay::reset()
{
    DisplayBase::reset();
    window = nullptr;
    blitter = nullptr;
    closeRequested = false;
    toggleRequested = false;
}

bool Direct3DDisplay::fullscreen()
{
    return switchOutput(OutputFullscreen);
}

bool Direct3DDisplay::windowed()
{
    return switchOutput(OutputWindowed);
}

bool Direct3DDisplay::switchOutput(OutputMode target)
{
    // Only a display that already has a device can already be in the target
    // output: at open there is none, so the first switch always runs in full.
    if (blitter != nullptr) {
        if (output() == target) {
            return true;
        }
        delete blitter;
        blitter = nullptr;
    }
    const bool toWindowed = target == OutputWindowed;
    if (toWindowed) {
        window->enterWindowed(width(), height());
    } else {
        window->enterFullscreen(width(), height());
    }
    // The device is made for the restyled window.
    blitter = new Direct3DBlitter(direct3d, window->handle, width(), height(), mode(), toWindowed);
    if (!blitter->valid()) {
        close();
        return false;
    }
    setOutput(target);
    // A windowed window stays hidden, and unpumped, until a refresh has
    // presented a frame and shows it.
    if (!toWindowed) {
        pump(window);
        // A system-menu switch dispatched in that pump may have failed and
        // closed the display; this switch must not then report success.
        return isOpen();
    }
    return true;
}

bool Direct3DDisplay::paint()
{
    if (blitter != nullptr && blitter->valid()) {
        return blitter->flip();
    }
    if (window == nullptr) {
        return true;
    }
    if (HDC dc = GetDC(window->handle)) {
        RECT client{0, 0, 0, 0};
        GetClientRect(window->handle, &client);
        HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
        HGDIOBJ previous = SelectObject(dc, black);
        Rectangle(dc, 0, 0, client.right, client.bottom);
        SelectObject(dc, previous);
        DeleteObject(black);
        ReleaseDC(window->handle, dc);
    }
    ValidateRect(window->handle, nullptr);
    return true;
}

void Direct3DDisplay::requestToggle()
{
    toggleRequested = true;
}

void Direct3DDisplay::requestClose()
{
    closeRequested = true;
}
