// The window's message handling: listener events, requests to the owner,
// the window's own menu commands, the pointer shape and the mouse capture.
#include "display/win32/DisplayWindow.h"

#include "display/DisplayInterface.h"

namespace {

constexpr int keyEnter = 13;
constexpr int keyEscape = 27;

}  // namespace

LRESULT CALLBACK DisplayWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<DisplayWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (object == nullptr) {
        // Messages sent while CreateWindowExA runs, before the object is tied on.
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return object->handleMessage(window, message, wParam, lParam);
}

DisplayInterface* DisplayWindow::listenerDisplay() const
{
    // Listeners see the application's own Display when there is one.
    if (display == nullptr) {
        return nullptr;
    }
    DisplayInterface* wrapper = display->wrapper();
    return wrapper != nullptr ? wrapper : display;
}

LRESULT DisplayWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        // The zoom items follow the minimized and maximized state.
        updateSystemMenu();
        break;
    case WM_ACTIVATE:
        active = wParam != 0;
        if (listener != nullptr) {
            listener->onActivate(listenerDisplay(), active);
        }
        break;
    case WM_PAINT:
        if (callbacks != nullptr) {
            callbacks->paint();
        }
        break;
    case WM_CLOSE:
    case WM_QUIT:
        // What onClose returns decides nothing: the display closes regardless.
        if (listener != nullptr) {
            listener->onClose(listenerDisplay());
        }
        if (callbacks != nullptr) {
            callbacks->requestClose();
        }
        break;
    case WM_SETCURSOR:
        // Over the frame the default processing sets the frame's pointers.
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(windowedMode != 0 ? arrowCursor : blankCursor);
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        handleKeyDown(wParam);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        handleKeyUp(wParam);
        break;
    case WM_SYSCOMMAND:
        handleSystemCommand(wParam);
        break;
    case WM_MOUSEMOVE:
        handleMouse(lParam, nullptr, false, MouseEvent::Move);
        break;
    case WM_LBUTTONDOWN:
        handleMouse(lParam, &mouse.left, true, MouseEvent::Down);
        break;
    case WM_LBUTTONUP:
        handleMouse(lParam, &mouse.left, false, MouseEvent::Up);
        break;
    case WM_RBUTTONDOWN:
        handleMouse(lParam, &mouse.right, true, MouseEvent::Down);
        break;
    case WM_RBUTTONUP:
        handleMouse(lParam, &mouse.right, false, MouseEvent::Up);
        break;
    case WM_MBUTTONDOWN:
        handleMouse(lParam, &mouse.middle, true, MouseEvent::Down);
        break;
    case WM_MBUTTONUP:
        handleMouse(lParam, &mouse.middle, false, MouseEvent::Up);
        break;
    case WM_SIZING:
        if (callbacks != nullptr) {
            callbacks->paint();
        }
        updateSystemMenu();
        break;
    case WM_MOVING:
        // The user dragged the window: "Center" means something again.
        if (centered) {
            centered = false;
            updateSystemMenu();
        }
        break;
    default:
        break;
    }
    // The default processing sees every message: it carries out the system's
    // own commands, validates after WM_PAINT and destroys on WM_CLOSE.
    return DefWindowProcA(window, message, wParam, lParam);
}

void DisplayWindow::handleKeyDown(WPARAM wParam)
{
    const unsigned k = static_cast<unsigned>(wParam & 0xFF);
    if (k == keyEnter && GetAsyncKeyState(VK_MENU) != 0) {
        // Alt+Enter belongs to the display, not to the listener.
        if (callbacks != nullptr) {
            callbacks->requestToggle();
        }
        return;
    }
    if (!keyDown[k]) {
        if (listener != nullptr) {
            listener->onKeyDown(listenerDisplay(), keyTable[k]);
        }
        if (k == keyEscape && callbacks != nullptr) {
            callbacks->requestClose();
        }
        keyDown[k] = true;
    }
    if (listener != nullptr) {
        listener->onKeyPressed(listenerDisplay(), keyTable[k]);
    }
}

void DisplayWindow::handleKeyUp(WPARAM wParam)
{
    const unsigned k = static_cast<unsigned>(wParam & 0xFF);
    if (listener != nullptr) {
        listener->onKeyUp(listenerDisplay(), keyTable[k]);
    }
    keyDown[k] = false;
}

void DisplayWindow::handleMouse(LPARAM lParam, bool* button, bool down, MouseEvent event)
{
    if (event == MouseEvent::Down && !mouse.left && !mouse.middle && !mouse.right) {
        // Keep the mouse messages coming while any button is held.
        SetCapture(handle);
    }
    RECT client{};
    GetClientRect(handle, &client);
    const LONG clientWidth = client.right - client.left;
    const LONG clientHeight = client.bottom - client.top;
    if (button != nullptr) {
        *button = down;
    }
    // Positions outside the client area (while captured) are negative or beyond it.
    const auto px = static_cast<SHORT>(LOWORD(lParam));
    const auto py = static_cast<SHORT>(HIWORD(lParam));
    // A zero-sized client area (minimized) has no scale: report 0.
    mouse.x = clientWidth == 0 ? 0.0f : static_cast<float>(width) / static_cast<float>(clientWidth) * static_cast<float>(px);
    mouse.y = clientHeight == 0 ? 0.0f : static_cast<float>(height) / static_cast<float>(clientHeight) * static_cast<float>(py);
    if (listener != nullptr) {
        const Mouse state = mouse;
        switch (event) {
        case MouseEvent::Down:
            listener->onMouseButtonDown(listenerDisplay(), state);
            break;
        case MouseEvent::Up:
            listener->onMouseButtonUp(listenerDisplay(), state);
            break;
        case MouseEvent::Move:
            listener->onMouseMove(listenerDisplay(), state);
            break;
        }
    }
    if (event == MouseEvent::Up && !mouse.left && !mouse.middle && !mouse.right) {
        ReleaseCapture();
    }
}

void DisplayWindow::handleSystemCommand(WPARAM wParam)
{
    switch (wParam) {
    case 2:
        zoom(1.0f);
        updateSystemMenu();
        break;
    case 3:
        zoom(2.0f);
        updateSystemMenu();
        break;
    case 4:
        zoom(4.0f);
        updateSystemMenu();
        break;
    case 5:
        zoom(8.0f);
        updateSystemMenu();
        break;
    case 7:
        if (callbacks != nullptr) {
            callbacks->windowed();
        }
        break;
    case 8:
        if (callbacks != nullptr) {
            callbacks->fullscreen();
        }
        break;
    case 10:
        center();
        updateSystemMenu();
        break;
    default:
        // Separators and the system's own commands: the default processing.
        break;
    }
}
