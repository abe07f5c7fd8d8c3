#pragma once

#include "display/DisplayBase.h"
#include "display/win32/Direct3DBlitter.h"
#include "display/win32/WindowCallbacks.h"

class DisplayWindow;

// The display the Display wrapper forwards to: frames go through a
// Direct3DBlitter into a DisplayWindow. It owns the Direct3D object for its
// whole life, the window while open, and one blitter per active output; a
// switch of output drops the blitter, restyles the window and builds a new
// one. As the window's callbacks it repaints, switches at once for the
// system-menu commands, and remembers toggle and close requests for the next
// refresh.
class Direct3DDisplay : public DisplayBase, public WindowCallbacks {
public:
    Direct3DDisplay();
    ~Direct3DDisplay() override;

    bool open(const char* title, int width, int height, OutputMode output, PixelMode mode) override;
    void close() override;
    void setListener(DisplayListener* listener) override;
    bool refresh(const IntPixel* intPixels, const FloatPixel* floatPixels) override;
    void reset() override;
    bool windowed() override;
    bool fullscreen() override;

    bool paint() override;
    void requestToggle() override;
    void requestClose() override;

private:
    // Runs the window's message pump. A switch started from the system menu
    // that fails closes the display inside the dispatch; the window object is
    // then kept until the outermost pump has returned.
    void pump(DisplayWindow* pumped);
    // Both switches: drop the blitter, restyle the window, build a new blitter.
    bool switchOutput(OutputMode target);
    void releaseWindow();
    void deleteRetiredWindow();

    IDirect3D9* direct3d;
    DisplayWindow* window;
    Direct3DBlitter* blitter;
    bool closeRequested;
    bool toggleRequested;

    int pumpDepth = 0;
    DisplayWindow* retiredWindow = nullptr;
};
