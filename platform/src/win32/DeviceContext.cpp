// user32 and gdi32: the device-context calls of painting a black client area.
#include "win32/CallLog.h"

using desktop::Desktop;
using desktop::logCall;

HDC WINAPI GetDC(HWND hWnd)
{
    logCall("GetDC", hWnd);
    return Desktop::instance().getDC(hWnd);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC)
{
    logCall("ReleaseDC", hWnd);
    return Desktop::instance().releaseDC(hWnd, hDC);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    logCall("CreateSolidBrush", static_cast<long long>(color));
    return Desktop::instance().createSolidBrush(color);
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    return Desktop::instance().selectObject(hdc, h);
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    logCall("Rectangle", left, top, right, bottom);
    return Desktop::instance().rectangle(hdc, left, top, right, bottom);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    logCall("DeleteObject");
    return Desktop::instance().deleteObject(ho);
}
