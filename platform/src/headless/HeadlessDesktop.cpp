#include "headless/HeadlessDesktop.h"

#include "desktop/Desktop.h"

namespace headless {

namespace {

class HeadlessHost final : public desktop::Host {
public:
    SIZE screenSize() const override { return screen; }
    void systemMenuRequested(const desktop::Window&) override { ++menusOpened; }

    SIZE screen{1920, 1080};
    int menusOpened = 0;
};

HeadlessHost& host()
{
    static HeadlessHost instance;
    return instance;
}

desktop::Desktop& model()
{
    return desktop::Desktop::instance();
}

LPARAM keyFlags(bool alt, bool repeat, bool up)
{
    LPARAM flags = 1;  // repeat count
    if (alt) flags |= LPARAM{1} << 29;
    if (repeat || up) flags |= LPARAM{1} << 30;
    if (up) flags |= LPARAM{1} << 31;
    return flags;
}

void postSysCommand(HWND window, WPARAM command)
{
    model().post(window, WM_SYSCOMMAND, command, 0);
}

}  // namespace

void reset(int screenWidth, int screenHeight)
{
    host().screen = SIZE{screenWidth, screenHeight};
    host().menusOpened = 0;
    model().reset();
}

void setScreenSize(int width, int height)
{
    host().screen = SIZE{width, height};
}

void keyDown(int virtualKey, int repeats)
{
    desktop::Desktop& d = model();
    const bool wasDown = d.keyIsDown(virtualKey);
    d.setKeyState(virtualKey, true);
    const bool alt = d.keyIsDown(VK_MENU);
    const HWND target = d.activeWindow();
    if (target == nullptr) {
        return;
    }
    if (d.tracking() != nullptr) {
        for (int i = 0; i <= repeats; ++i) {
            d.trackingKey(virtualKey);
        }
        return;
    }
    const bool sys = alt || virtualKey == VK_F10;
    for (int i = 0; i <= repeats; ++i) {
        d.post(target, sys ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
               keyFlags(alt, wasDown || i > 0, false));
    }
}

void keyUp(int virtualKey)
{
    desktop::Desktop& d = model();
    const bool altBefore = d.keyIsDown(VK_MENU);
    d.setKeyState(virtualKey, false);
    const HWND target = d.activeWindow();
    if (target == nullptr || d.tracking() != nullptr) {
        return;
    }
    // Releasing Alt itself, or any key while Alt is held, is a system key-up.
    const bool sys = altBefore || virtualKey == VK_F10;
    d.post(target, sys ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(virtualKey),
           keyFlags(altBefore && virtualKey != VK_MENU, true, true));
}

namespace {

void mouseEvent(HWND window, UINT message, WPARAM keys, int x, int y)
{
    desktop::Desktop& d = model();
    const HWND capture = d.capture();
    HWND target = capture != nullptr ? capture : window;
    const RECT client = d.clientRectOnScreen(window);
    POINT screen{client.left + x, client.top + y};
    if (capture == nullptr) {
        // Without capture only what is over the client area arrives.
        const int hit = d.hitTest(window, screen);
        if (hit != HTCLIENT) {
            return;
        }
        d.send(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, message));
    }
    const RECT targetClient = d.clientRectOnScreen(target);
    const LONG cx = screen.x - targetClient.left;
    const LONG cy = screen.y - targetClient.top;
    d.post(target, message, keys,
           MAKELPARAM(static_cast<WORD>(static_cast<std::uint16_t>(cx)), static_cast<WORD>(static_cast<std::uint16_t>(cy))));
}

WPARAM buttonKeys()
{
    desktop::Desktop& d = model();
    WPARAM keys = 0;
    if (d.keyIsDown(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (d.keyIsDown(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (d.keyIsDown(VK_MBUTTON)) keys |= MK_MBUTTON;
    return keys;
}

}  // namespace

void mouseMove(HWND window, int x, int y)
{
    mouseEvent(window, WM_MOUSEMOVE, buttonKeys(), x, y);
}

void mouseButton(HWND window, int button, bool down, int x, int y)
{
    static constexpr UINT downMessages[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT upMessages[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr int keys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    if (button < 0 || button > 2) {
        return;
    }
    model().setKeyState(keys[button], down);
    mouseEvent(window, down ? downMessages[button] : upMessages[button], buttonKeys(), x, y);
}

void clickClose(HWND window) { postSysCommand(window, SC_CLOSE); }
void clickMinimize(HWND window) { postSysCommand(window, SC_MINIMIZE); }
void clickMaximize(HWND window) { postSysCommand(window, SC_MAXIMIZE); }
void clickRestore(HWND window) { postSysCommand(window, SC_RESTORE); }
void chooseMenuItem(HWND window, UINT_PTR id) { postSysCommand(window, id); }

void dragCaption(HWND window, int dx, int dy)
{
    const RECT r = windowRect(window);
    model().userMoveOrSize(window, RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, false, 0);
}

void dragBorder(HWND window, int edge, int dx, int dy)
{
    RECT r = windowRect(window);
    switch (edge) {
    case WMSZ_LEFT: r.left += dx; break;
    case WMSZ_RIGHT: r.right += dx; break;
    case WMSZ_TOP: r.top += dy; break;
    case WMSZ_BOTTOM: r.bottom += dy; break;
    case WMSZ_TOPLEFT: r.left += dx; r.top += dy; break;
    case WMSZ_TOPRIGHT: r.right += dx; r.top += dy; break;
    case WMSZ_BOTTOMLEFT: r.left += dx; r.bottom += dy; break;
    case WMSZ_BOTTOMRIGHT: r.right += dx; r.bottom += dy; break;
    default: return;
    }
    model().userMoveOrSize(window, r, true, edge);
}

void focusOtherWindow()
{
    model().activate(nullptr);
}

RECT windowRect(HWND window)
{
    const desktop::Window* w = model().findWindow(window);
    return w == nullptr ? RECT{0, 0, 0, 0} : w->rect;
}

RECT clientRect(HWND window)
{
    return model().clientRectOnScreen(window);
}

DWORD style(HWND window)
{
    return static_cast<DWORD>(model().getLong(window, GWL_STYLE));
}

bool visible(HWND window)
{
    const desktop::Window* w = model().liveWindow(window);
    return w != nullptr && w->visible;
}

HWND activeWindow()
{
    return model().activeWindow();
}

std::vector<MenuEntry> menuItems(HWND window)
{
    std::vector<MenuEntry> entries;
    const desktop::Window* w = model().findWindow(window);
    if (w == nullptr) {
        return entries;
    }
    const desktop::Menu* m = model().findMenu(w->systemMenu);
    if (m == nullptr) {
        return entries;
    }
    for (const desktop::MenuItem& item : m->items) {
        entries.push_back(MenuEntry{item.id, (item.flags & MF_SEPARATOR) != 0, item.text});
    }
    return entries;
}

HCURSOR cursor()
{
    return model().currentCursorHandle();
}

bool cursorHidden()
{
    const desktop::Cursor* c = model().currentCursor();
    return c == nullptr || c->invisible;
}

HWND capture()
{
    return model().capture();
}

Pixels clientPixels(HWND window)
{
    Pixels pixels;
    const desktop::Window* w = model().findWindow(window);
    if (w != nullptr) {
        pixels.width = w->pixelsWidth;
        pixels.height = w->pixelsHeight;
        pixels.data = w->pixels;
    }
    return pixels;
}

int systemMenuOpened()
{
    return host().menusOpened;
}

void startLog()
{
    model().clearLog();
    model().setLogging(true);
}

void stopLog()
{
    model().setLogging(false);
}

std::vector<std::string> callLog()
{
    return model().callLog();
}

}  // namespace headless

desktop::Host& desktop::linkedHost()
{
    return headless::host();
}
