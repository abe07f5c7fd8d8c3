// The window's layouts, placement, message pump and system menu.
#include "display/win32/DisplayWindow.h"

#include "display/win32/KeyTable.h"

#include <algorithm>
#include <iterator>

namespace {

// Command identifiers of the items this window owns in its system menu. The
// system's own items carry SC_ values of 0xF000 and above, so removing ours by
// command never touches them.
enum MenuItem : UINT {
    ItemZoomSeparator = 1,
    ItemOriginalSize = 2,
    ItemZoom2 = 3,
    ItemZoom4 = 4,
    ItemZoom8 = 5,
    ItemModeSeparator = 6,
    ItemWindowed = 7,
    ItemFullscreen = 8,
    ItemCenterSeparator = 9,
    ItemCenter = 10,
};

constexpr DWORD windowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD fullscreenStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;

}  // namespace

DisplayWindow::DisplayWindow(DisplayInterface* display, WindowCallbacks* callbacks, const char* title,
                             std::int32_t width, std::int32_t height)
    : handle(nullptr),
      systemMenu(nullptr),
      width(width),
      height(height),
      active(false),
      windowedMode(1),
      mouse{false, false, false, 0.0f, 0.0f},
      keyTable{},
      keyDown{},
      arrowCursor(nullptr),
      blankCursor(nullptr),
      centered(false),
      callbacks(callbacks),
      display(display),
      listener(nullptr)
{
    arrowCursor = LoadCursorA(nullptr, IDC_ARROW);

    // A one-pixel cursor that leaves the screen unchanged: the pointer vanishes
    // wherever it is set. Monochrome rows are padded to 16 bits.
    const BYTE andMask[2] = {0xFF, 0xFF};
    const BYTE xorMask[2] = {0x00, 0x00};
    blankCursor = CreateCursor(nullptr, 0, 0, 1, 1, andMask, xorMask);

    fillKeyTable(keyTable);
    std::fill(std::begin(keyDown), std::end(keyDown), false);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = 0;
    windowClass.lpfnWndProc = &DisplayWindow::windowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "DisplayIcon");
    windowClass.hCursor = nullptr;        // the window sets the pointer itself
    windowClass.hbrBackground = nullptr;  // and never erases its background
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = title;
    windowClass.hIconSm = nullptr;

    // A class left registered by an earlier window of the same title is replaced.
    UnregisterClassA(title, instance);
    if (RegisterClassExA(&windowClass) == 0) {
        return;
    }

    // Messages sent during creation find no object yet and get the default processing.
    handle = CreateWindowExA(0, title, title, windowedStyle, 0, 0, width, height, nullptr, nullptr, instance, nullptr);
    if (handle != nullptr) {
        // The pointer-sized slot: a 32-bit one would cut the pointer on 64-bit Windows.
        SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        updateSystemMenu();
    }
}

void DisplayWindow::enterFullscreen(std::int32_t width, std::int32_t height)
{
    this->width = width;
    this->height = height;
    ShowWindow(handle, SW_HIDE);
    SetCursor(blankCursor);
    SetWindowLongA(handle, GWL_STYLE, static_cast<LONG>(fullscreenStyle));
    // A display larger than the screen gets a window of its own size.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(handle, nullptr, 0, 0, std::max(screenWidth, width), std::max(screenHeight, height), SWP_NOZORDER);
    ShowWindow(handle, SW_SHOW);
    windowedMode = 0;
    updateSystemMenu();
}

void DisplayWindow::enterWindowed(std::int32_t width, std::int32_t height)
{
    this->width = width;
    this->height = height;
    ShowWindow(handle, SW_HIDE);
    SetWindowLongA(handle, GWL_STYLE, static_cast<LONG>(windowedStyle));
    // The new client area takes the size that the whole window had before.
    RECT rect{};
    GetWindowRect(handle, &rect);
    AdjustWindowRect(&rect, windowedStyle, FALSE);
    SetWindowPos(handle, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER);
    center();
    SetCursor(arrowCursor);
    windowedMode = 1;
    updateSystemMenu();
}

void DisplayWindow::center()
{
    RECT rect{};
    GetWindowRect(handle, &rect);
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) >> 1;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) >> 1;
    if (x < 0) {
        x = 0;
    }
    if (y < 0) {
        y = 0;
    }
    SetWindowPos(handle, nullptr, x, y, w, h, SWP_NOZORDER);
    centered = true;
    updateSystemMenu();
}

void DisplayWindow::zoom(float scale)
{
    RECT rect{};
    GetWindowRect(handle, &rect);
    const LONG centerX = (rect.left + rect.right) / 2;
    const LONG centerY = (rect.top + rect.bottom) / 2;

    RECT wanted{0, 0, static_cast<LONG>(static_cast<float>(width) * scale),
                static_cast<LONG>(static_cast<float>(height) * scale)};
    AdjustWindowRect(&wanted, windowedStyle, FALSE);
    if (wanted.left < 0) {
        wanted.right -= wanted.left;
        wanted.left = 0;
    }
    if (wanted.top < 0) {
        wanted.bottom -= wanted.top;
        wanted.top = 0;
    }
    const LONG w = wanted.right - wanted.left;
    const LONG h = wanted.bottom - wanted.top;

    const LONG dx = centerX - w / 2;
    const LONG dy = centerY - h / 2;
    wanted.left += dx;
    wanted.right += dx;
    wanted.top += dy;
    wanted.bottom += dy;
    // Only the left and top edges are kept on the screen.
    if (wanted.left < 0) {
        wanted.left = 0;
        wanted.right = w;
    }
    if (wanted.top < 0) {
        wanted.top = 0;
        wanted.bottom = h;
    }
    SetWindowPos(handle, nullptr, wanted.left, wanted.top, w, h, SWP_NOZORDER);
}

void DisplayWindow::pumpMessages()
{
    // A fullscreen window hides the pointer anew on every frame while active.
    if (windowedMode == 0 && active) {
        SetCursor(blankCursor);
    }
    MSG message;
    // Without a window there is nothing to pump. The owner may also close the
    // display inside a dispatch and null the handle; a null filter would then
    // take every message of the thread.
    while (handle != nullptr) {
        const BOOL got = PeekMessageA(&message, handle, 0, 0, PM_REMOVE);
        if (got) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(0);
        if (!got) {
            break;
        }
    }
}

void DisplayWindow::updateSystemMenu()
{
    systemMenu = GetSystemMenu(handle, FALSE);

    static constexpr UINT owned[] = {ItemZoomSeparator, ItemOriginalSize, ItemZoom2,           ItemZoom4,
                                     ItemZoom8,         ItemModeSeparator, ItemFullscreen,     ItemWindowed,
                                     ItemCenterSeparator, ItemCenter};
    for (UINT id : owned) {
        RemoveMenu(systemMenu, id, MF_BYCOMMAND);
    }

    if (windowedMode == 1 && !IsIconic(handle) && !IsZoomed(handle)) {
        AppendMenuA(systemMenu, MF_SEPARATOR, ItemZoomSeparator, nullptr);
        AppendMenuA(systemMenu, MF_STRING, ItemOriginalSize, "Original Size");
        const long long screenWidth = GetSystemMetrics(SM_CXSCREEN);
        const long long screenHeight = GetSystemMetrics(SM_CYSCREEN);
        // The display's size decides, not the window's, and a zoom must fit strictly.
        const auto fits = [&](long long factor) { return factor * width < screenWidth && factor * height < screenHeight; };
        if (fits(2)) {
            AppendMenuA(systemMenu, MF_STRING, ItemZoom2, "2x Zoom");
        }
        if (fits(4)) {
            AppendMenuA(systemMenu, MF_STRING, ItemZoom4, "4x Zoom");
        }
        if (fits(8)) {
            AppendMenuA(systemMenu, MF_STRING, ItemZoom8, "8x Zoom");
        }
    }

    AppendMenuA(systemMenu, MF_SEPARATOR, ItemModeSeparator, nullptr);
    if (windowedMode == 1) {
        AppendMenuA(systemMenu, MF_STRING, ItemFullscreen, "Fullscreen");
    } else {
        AppendMenuA(systemMenu, MF_STRING, ItemWindowed, "Windowed");
    }

    if (!centered && windowedMode == 1) {
        AppendMenuA(systemMenu, MF_SEPARATOR, ItemCenterSeparator, nullptr);
        AppendMenuA(systemMenu, MF_STRING, ItemCenter, "Center");
    }
}
