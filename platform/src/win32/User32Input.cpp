// user32: cursors, icons, mouse capture and the asynchronous key state.
#include "win32/CallLog.h"

using desktop::Desktop;
using desktop::logCall;

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR lpCursorName)
{
    return Desktop::instance().sharedCursor(lpCursorName);
}

HCURSOR WINAPI CreateCursor(HINSTANCE, int, int, int nWidth, int nHeight, const void* pvANDPlane, const void* pvXORPlane)
{
    logCall("CreateCursor", nWidth, nHeight);
    return Desktop::instance().createCursor(nWidth, nHeight, pvANDPlane, pvXORPlane);
}

BOOL WINAPI DestroyCursor(HCURSOR hCursor)
{
    logCall("DestroyCursor", hCursor);
    return Desktop::instance().destroyCursor(hCursor);
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    logCall("SetCursor", hCursor);
    return Desktop::instance().setCursor(hCursor);
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR)
{
    // The programs carry no icon resources: the system's default icon shows.
    return nullptr;
}

HWND WINAPI SetCapture(HWND hWnd)
{
    logCall("SetCapture", hWnd);
    return Desktop::instance().setCapture(hWnd);
}

BOOL WINAPI ReleaseCapture()
{
    logCall("ReleaseCapture");
    return Desktop::instance().releaseCapture();
}

HWND WINAPI GetCapture()
{
    return Desktop::instance().capture();
}

SHORT WINAPI GetAsyncKeyState(int vKey)
{
    return Desktop::instance().keyIsDown(vKey) ? static_cast<SHORT>(0x8000) : static_cast<SHORT>(0);
}
