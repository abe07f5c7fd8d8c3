#pragma once

// The system menu of one window, drawn over its client area on Linux, where
// the window manager knows nothing of Win32 system menus. It shows the items
// of the window's menu in the desktop model, the system's and the program's,
// and is driven by the arrow keys, Enter, Escape and the mouse. A choice
// becomes the WM_SYSCOMMAND that Win32 would send.

#include <SDL.h>
#include <windows.h>

namespace sdlhost {

class SystemMenuOverlay {
public:
    void open(HWND window);
    void close();
    bool isOpenFor(HWND window) const { return window_ != nullptr && window_ == window; }

    // Each returns the command chosen (0: none); a choice or Escape closes the menu.
    UINT_PTR key(SDL_Scancode scancode);
    UINT_PTR click(int x, int y);  // client coordinates; a click outside closes
    void hover(int x, int y);

    void draw(SDL_Renderer* renderer, int originX, int originY) const;

private:
    struct Row {
        int top;
        int height;
        bool separator;
    };
    int count() const;
    Row row(int index) const;
    int widthInPixels() const;
    int itemAt(int x, int y) const;
    void step(int direction);
    UINT_PTR chosen();

    HWND window_ = nullptr;
    int selected_ = -1;
};

}  // namespace sdlhost
