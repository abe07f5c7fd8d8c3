#pragma once

// What the display window asks of the display that owns it. The window never
// owns or deletes its callbacks and ignores every result.
//
// requestToggle and requestClose only remember the wish: they run inside the
// window procedure, and the window goes on using its own fields after they
// return, so the display must not be switched or closed from inside them.
class WindowCallbacks {
public:
    // Repaint the client area from the last frame (WM_PAINT, border drags).
    virtual bool paint() = 0;
    // Switch to fullscreen output at once ("Fullscreen" menu command).
    virtual bool fullscreen() = 0;
    // Switch to windowed output at once ("Windowed" menu command).
    virtual bool windowed() = 0;
    // Alt+Enter: toggle the output at the next refresh.
    virtual void requestToggle() = 0;
    // Escape or the close command: close at the next refresh.
    virtual void requestClose() = 0;
};
