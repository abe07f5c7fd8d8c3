#pragma once

class DisplayInterface;

// The mouse as a listener sees it. Coordinates are in display pixels and are
// not clamped: while the mouse is captured they may lie outside 0..width and
// 0..height.
struct Mouse {
    bool left;
    bool middle;
    bool right;
    float x;
    float y;
};

// The application's event receiver. Every operation has an empty body, so a
// listener overrides only what it cares about. Events arrive nested inside the
// display's open, update and output switches, on the application's thread.
// A listener must not open, close, update or destroy the display from inside
// an event; remember the wish and act on it after update returns.
class DisplayListener {
public:
    virtual ~DisplayListener() = default;
    virtual void onKeyDown(DisplayInterface* display, int key) { (void)display; (void)key; }
    virtual void onKeyPressed(DisplayInterface* display, int key) { (void)display; (void)key; }
    virtual void onKeyUp(DisplayInterface* display, int key) { (void)display; (void)key; }
    virtual void onMouseButtonDown(DisplayInterface* display, Mouse mouse) { (void)display; (void)mouse; }
    virtual void onMouseButtonUp(DisplayInterface* display, Mouse mouse) { (void)display; (void)mouse; }
    virtual void onMouseMove(DisplayInterface* display, Mouse mouse) { (void)display; (void)mouse; }
    virtual void onActivate(DisplayInterface* display, bool active) { (void)display; (void)active; }
    virtual void onOpen(DisplayInterface* display) { (void)display; }
    // The window was asked to close. The result is reserved; the display closes regardless.
    virtual bool onClose(DisplayInterface* display) { (void)display; return true; }
};
