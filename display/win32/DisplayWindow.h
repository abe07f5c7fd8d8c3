#pragma once

// The Win32 window through which the Direct3D display shows its frames: its
// class, its windowed and fullscreen layouts, centring and zoom, the hidden
// pointer in fullscreen, the message pump and the window's own commands in
// the system menu. Everything about the display's state goes back to the
// owner through WindowCallbacks; input goes to the DisplayListener.
//
// The owner releases the Win32 objects before deleting the window: it calls
// DestroyWindow on handle, sets handle to null and destroys blankCursor.

#include "display/DisplayListener.h"
#include "display/win32/WindowCallbacks.h"

#include <windows.h>

#include <cstdint>

class DisplayInterface;

class DisplayWindow {
public:
    DisplayWindow(DisplayInterface* display, WindowCallbacks* callbacks, const char* title, std::int32_t width,
                  std::int32_t height);
    ~DisplayWindow() = default;
    DisplayWindow(const DisplayWindow&) = delete;
    DisplayWindow& operator=(const DisplayWindow&) = delete;

    void enterFullscreen(std::int32_t width, std::int32_t height);
    void enterWindowed(std::int32_t width, std::int32_t height);
    void center();
    void zoom(float scale);
    void pumpMessages();
    void updateSystemMenu();
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle;
    HMENU systemMenu;
    std::int32_t width;
    std::int32_t height;
    bool active;
    std::int32_t windowedMode;
    Mouse mouse;
    std::int32_t keyTable[256];
    bool keyDown[256];
    HCURSOR arrowCursor;
    HCURSOR blankCursor;
    bool centered;
    WindowCallbacks* callbacks;
    DisplayInterface* display;
    DisplayListener* listener;

private:
    enum class MouseEvent { Down, Up, Move };

    DisplayInterface* listenerDisplay() const;
    void handleKeyDown(WPARAM wParam);
    void handleKeyUp(WPARAM wParam);
    void handleMouse(LPARAM lParam, bool* button, bool down, MouseEvent event);
    void handleSystemCommand(WPARAM wParam);
};
