// user32: the message queue, sending, dispatching, default processing, painting state.
#include "win32/CallLog.h"

using desktop::Desktop;
using desktop::logCall;

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return Desktop::instance().peekMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg)
{
    // Character messages are not produced: nothing here reads them.
    if (lpMsg == nullptr) {
        return FALSE;
    }
    const UINT m = lpMsg->message;
    return m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_KEYUP || m == WM_SYSKEYUP ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg)
{
    return Desktop::instance().dispatch(lpMsg);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return Desktop::instance().send(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Desktop& d = Desktop::instance();
    if (hWnd != nullptr && d.liveWindow(hWnd) == nullptr) {
        return FALSE;
    }
    d.post(hWnd, Msg, wParam, lParam);
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return Desktop::instance().defaultProcedure(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL)
{
    return Desktop::instance().validate(hWnd, false);
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT*)
{
    logCall("ValidateRect", hWnd);
    return Desktop::instance().validate(hWnd, true);
}
