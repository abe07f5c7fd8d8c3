// user32: window classes, windows, styles and placement.
#include "win32/CallLog.h"

using desktop::Desktop;
using desktop::logCall;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx)
{
    logCall("RegisterClassExA");
    return Desktop::instance().registerClass(lpwcx);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE)
{
    logCall("UnregisterClassA");
    return Desktop::instance().unregisterClass(lpClassName);
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND, HMENU, HINSTANCE, LPVOID)
{
    logCall("CreateWindowExA", static_cast<long long>(dwStyle), X, Y, nWidth, nHeight);
    return Desktop::instance().createWindow(dwExStyle, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight);
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    logCall("DestroyWindow", hWnd);
    return Desktop::instance().destroyWindow(hWnd);
}

BOOL WINAPI IsWindow(HWND hWnd)
{
    return Desktop::instance().liveWindow(hWnd) != nullptr ? TRUE : FALSE;
}

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex)
{
    return static_cast<LONG>(Desktop::instance().getLong(hWnd, nIndex));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong)
{
    logCall("SetWindowLongA", nIndex, static_cast<long long>(static_cast<DWORD>(dwNewLong)));
    return static_cast<LONG>(Desktop::instance().setLong(hWnd, nIndex, dwNewLong));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex)
{
    return Desktop::instance().getLong(hWnd, nIndex);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    logCall("SetWindowLongPtrA", nIndex);
    return Desktop::instance().setLong(hWnd, nIndex, dwNewLong);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    logCall("ShowWindow", hWnd, nCmdShow);
    return Desktop::instance().showWindow(hWnd, nCmdShow);
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    const desktop::Window* w = Desktop::instance().liveWindow(hWnd);
    return w != nullptr && w->visible ? TRUE : FALSE;
}

BOOL WINAPI IsIconic(HWND hWnd)
{
    const desktop::Window* w = Desktop::instance().liveWindow(hWnd);
    return w != nullptr && w->minimized ? TRUE : FALSE;
}

BOOL WINAPI IsZoomed(HWND hWnd)
{
    const desktop::Window* w = Desktop::instance().liveWindow(hWnd);
    return w != nullptr && w->maximized ? TRUE : FALSE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags)
{
    logCall("SetWindowPos", hWnd, X, Y, cx, cy, uFlags);
    return Desktop::instance().setWindowPos(hWnd, X, Y, cx, cy, uFlags);
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    const desktop::Window* w = Desktop::instance().liveWindow(hWnd);
    if (w == nullptr || lpRect == nullptr) {
        return FALSE;
    }
    *lpRect = w->rect;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Desktop& d = Desktop::instance();
    if (d.liveWindow(hWnd) == nullptr || lpRect == nullptr) {
        return FALSE;
    }
    const RECT c = d.clientRectOnScreen(hWnd);
    *lpRect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu)
{
    if (lpRect == nullptr) {
        return FALSE;
    }
    const RECT insets = desktop::frameInsets(dwStyle);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top + (bMenu ? 20 : 0);
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    Desktop& d = Desktop::instance();
    if (d.liveWindow(hWnd) == nullptr || lpPoint == nullptr) {
        return FALSE;
    }
    const RECT c = d.clientRectOnScreen(hWnd);
    lpPoint->x += c.left;
    lpPoint->y += c.top;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    Desktop& d = Desktop::instance();
    if (d.liveWindow(hWnd) == nullptr || lpPoint == nullptr) {
        return FALSE;
    }
    const RECT c = d.clientRectOnScreen(hWnd);
    lpPoint->x -= c.left;
    lpPoint->y -= c.top;
    return TRUE;
}

int WINAPI GetSystemMetrics(int nIndex)
{
    const SIZE screen = Desktop::instance().screenSize();
    switch (nIndex) {
    case SM_CXSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
        return screen.cy;
    default:
        return 0;
    }
}

HWND WINAPI GetActiveWindow()
{
    return Desktop::instance().activeWindow();
}

HWND WINAPI GetForegroundWindow()
{
    return Desktop::instance().activeWindow();
}
