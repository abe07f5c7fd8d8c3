#pragma once

// Control of the headless host, for tests and tools: a desktop without a
// screen, driven by scripted input and inspected afterwards. Link the
// platform_headless library to use it. Stable API:
//
//   reset(width, height)   forget every window and state; screen of that size
//   setScreenSize(w, h)    change the screen, windows stay
// Scripted input. Keys and mouse go into the message queue, as real input
// does, and reach the window when it pumps its messages; the asynchronous key
// state changes at once. Keys go to the active window (none: nowhere).
//   keyDown(vk, repeats)   a press plus `repeats` auto-repeat key-downs;
//                          WM_SYSKEYDOWN while Alt (VK_MENU) is held or for Alt itself
//   keyUp(vk)              (after "Move" or "Size" of the system menu the model takes
//                          the keys instead: arrows move or size by 8, Enter ends)
//   mouseMove(hwnd, x, y)  client coordinates; outside the client area only the
//                          capture window gets it. WM_SETCURSOR is sent first
//                          when nothing has the capture.
//   mouseButton(hwnd, button 0 left/1 right/2 middle, down, x, y)
//   clickClose / clickMinimize / clickMaximize / clickRestore / chooseMenuItem(id):
//                          WM_SYSCOMMAND posted as the frame buttons and the menu do
//   dragCaption(hwnd, dx, dy), dragBorder(hwnd, WMSZ_ edge, dx, dy): the user's
//                          move and size, carried out at once with WM_MOVING/WM_SIZING
//   focusOtherWindow()     another program's window becomes active
// Inspection:
//   windowRect, clientRect (both in screen coordinates), style, visible,
//   activeWindow, menuItems (the system menu in order), cursor, cursorHidden,
//   capture, clientPixels, systemMenuOpened, callLog (with startLog/stopLog).

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace headless {

struct MenuEntry {
    UINT_PTR id;
    bool separator;
    std::string text;
    bool operator==(const MenuEntry&) const = default;
};

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;  // XRGB8888, row-major
};

void reset(int screenWidth = 1920, int screenHeight = 1080);
void setScreenSize(int width, int height);

void keyDown(int virtualKey, int repeats = 0);
void keyUp(int virtualKey);
void mouseMove(HWND window, int x, int y);
void mouseButton(HWND window, int button, bool down, int x, int y);
void clickClose(HWND window);
void clickMinimize(HWND window);
void clickMaximize(HWND window);
void clickRestore(HWND window);
void chooseMenuItem(HWND window, UINT_PTR id);
void dragCaption(HWND window, int dx, int dy);
void dragBorder(HWND window, int edge, int dx, int dy);
void focusOtherWindow();

RECT windowRect(HWND window);
RECT clientRect(HWND window);
DWORD style(HWND window);
bool visible(HWND window);
HWND activeWindow();
std::vector<MenuEntry> menuItems(HWND window);
HCURSOR cursor();
bool cursorHidden();
HWND capture();
Pixels clientPixels(HWND window);
int systemMenuOpened();  // how often DefWindowProcA opened a system menu since reset

void startLog();
void stopLog();
std::vector<std::string> callLog();

}  // namespace headless
