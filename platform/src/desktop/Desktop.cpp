#include "desktop/Desktop.h"

#include <algorithm>
#include <cstring>

namespace desktop {

namespace {

constexpr int thickFrame = 4;
constexpr int fixedFrame = 3;
constexpr int captionHeight = 20;
constexpr LONG minimizedOrigin = -32000;
constexpr DWORD stateBits = WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE;

bool inFilter(UINT message, UINT first, UINT last)
{
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

LPARAM packPoint(LONG x, LONG y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<std::uint16_t>(x)), static_cast<WORD>(static_cast<std::uint16_t>(y)));
}

template <typename Handle>
Handle asHandle(std::uintptr_t value)
{
    return reinterpret_cast<Handle>(value);
}

}  // namespace

RECT frameInsets(DWORD style)
{
    int frame = 0;
    if ((style & WS_THICKFRAME) != 0) {
        frame = thickFrame;
    } else if ((style & WS_DLGFRAME) != 0) {
        frame = fixedFrame;
    } else if ((style & WS_BORDER) != 0) {
        frame = 1;
    }
    const int caption = (style & WS_CAPTION) == WS_CAPTION ? captionHeight : 0;
    return RECT{frame, frame + caption, frame, frame};
}

Desktop& Desktop::instance()
{
    static Desktop desktop(linkedHost());
    return desktop;
}

Desktop::Desktop(Host& host) : host_(host)
{
    reset();
}

void Desktop::reset()
{
    classes_.clear();
    windows_.clear();
    order_.clear();
    menus_.clear();
    cursors_.clear();
    contexts_.clear();
    brushes_.clear();
    queue_.clear();
    observers_.clear();
    active_ = nullptr;
    capture_ = nullptr;
    tracking_ = nullptr;
    keys_.fill(false);
    log_.clear();
    logging_ = false;
    arrow_ = asHandle<HCURSOR>(nextHandle());
    cursors_[arrow_] = Cursor{arrow_, true, false};
    cursor_ = arrow_;
    stockBrush_ = asHandle<HGDIOBJ>(nextHandle());
    brushes_[stockBrush_] = RGB(255, 255, 255);
}

std::uintptr_t Desktop::nextHandle()
{
    // Handles are never reused, so a stale one always fails harmlessly.
    ++lastHandle_;
    return 0x10000 + lastHandle_ * 4;
}

// ---- queries ----------------------------------------------------------------

const Window* Desktop::findWindow(HWND handle) const
{
    const auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second.get();
}

Window* Desktop::liveWindow(HWND handle)
{
    const auto it = windows_.find(handle);
    if (it == windows_.end() || it->second->destroyed) {
        return nullptr;
    }
    return it->second.get();
}

RECT Desktop::clientOf(const Window& window)
{
    if (window.minimized) {
        return RECT{window.rect.left, window.rect.top, window.rect.left, window.rect.top};
    }
    const RECT insets = frameInsets(window.style);
    RECT client{window.rect.left + insets.left, window.rect.top + insets.top, window.rect.right - insets.right,
                window.rect.bottom - insets.bottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

RECT Desktop::clientRectOnScreen(HWND handle) const
{
    const Window* window = findWindow(handle);
    if (window == nullptr || window->destroyed) {
        return RECT{0, 0, 0, 0};
    }
    return clientOf(*window);
}

const Cursor* Desktop::findCursor(HCURSOR handle) const
{
    const auto it = cursors_.find(handle);
    return it == cursors_.end() ? nullptr : &it->second;
}

const Cursor* Desktop::currentCursor() const
{
    return findCursor(cursor_);
}

const Menu* Desktop::findMenu(HMENU handle) const
{
    const auto it = menus_.find(handle);
    return it == menus_.end() ? nullptr : &it->second;
}

Menu* Desktop::menu(HMENU handle)
{
    const auto it = menus_.find(handle);
    return it == menus_.end() ? nullptr : &it->second;
}

std::vector<HWND> Desktop::windows() const
{
    std::vector<HWND> live;
    for (HWND handle : order_) {
        if (!findWindow(handle)->destroyed) {
            live.push_back(handle);
        }
    }
    return live;
}

int Desktop::addActivationObserver(HWND handle, ActivationObserver observer)
{
    observers_.push_back(Observer{++lastObserver_, handle, std::move(observer)});
    return lastObserver_;
}

void Desktop::removeActivationObserver(int id)
{
    std::erase_if(observers_, [id](const Observer& o) { return o.id == id; });
}

void Desktop::notifyActivation(HWND handle, bool active)
{
    // Copy first: an observer may remove itself.
    const std::vector<Observer> current = observers_;
    for (const Observer& o : current) {
        if (o.window == handle) {
            o.observer(active);
        }
    }
}

bool Desktop::present(HWND handle, const void* pixels, int width, int height, int pitchBytes)
{
    Window* window = liveWindow(handle);
    if (window == nullptr || pixels == nullptr || width < 0 || height < 0) {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (window->pixels.size() != count) {
        window->pixels.resize(count);
    }
    window->pixelsWidth = width;
    window->pixelsHeight = height;
    const auto* bytes = static_cast<const unsigned char*>(pixels);
    for (int y = 0; y < height; ++y) {
        const auto* row = bytes + static_cast<std::ptrdiff_t>(y) * pitchBytes;
        std::uint32_t* out = window->pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        std::memcpy(out, row, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
        for (int x = 0; x < width; ++x) {
            out[x] &= 0x00FFFFFFu;
        }
    }
    host_.windowPresented(*window);
    return true;
}

// ---- input and state changes -------------------------------------------------

void Desktop::setKeyState(int virtualKey, bool down)
{
    keys_[static_cast<std::size_t>(virtualKey & 0xFF)] = down;
}

bool Desktop::keyIsDown(int virtualKey) const
{
    const auto key = [this](int vk) { return keys_[static_cast<std::size_t>(vk)]; };
    switch (virtualKey & 0xFF) {
    case VK_MENU:
        return key(VK_MENU) || key(VK_LMENU) || key(VK_RMENU);
    case VK_SHIFT:
        return key(VK_SHIFT) || key(VK_LSHIFT) || key(VK_RSHIFT);
    case VK_CONTROL:
        return key(VK_CONTROL) || key(VK_LCONTROL) || key(VK_RCONTROL);
    default:
        return key(virtualKey & 0xFF);
    }
}

void Desktop::post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (handle != nullptr && liveWindow(handle) == nullptr) {
        return;
    }
    queue_.push_back(MSG{handle, message, wParam, lParam, 0, POINT{0, 0}});
}

LRESULT Desktop::send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = liveWindow(handle);
    if (window == nullptr || window->procedure == nullptr) {
        return 0;
    }
    return window->procedure(handle, message, wParam, lParam);
}

void Desktop::setActive(HWND handle)
{
    if (active_ == handle) {
        return;
    }
    const HWND previous = active_;
    active_ = handle;
    // As in Win32 the high word of wParam carries the minimized state of the
    // window told, so a window minimized while active hears WA_INACTIVE with a
    // non-zero wParam.
    const auto activation = [this](HWND window, WORD state) {
        const Window* w = findWindow(window);
        return MAKEWPARAM(state, w != nullptr && w->minimized ? 1 : 0);
    };
    if (previous != nullptr && liveWindow(previous) != nullptr) {
        send(previous, WM_ACTIVATE, activation(previous, WA_INACTIVE), reinterpret_cast<LPARAM>(handle));
        notifyActivation(previous, false);
    }
    if (handle != nullptr) {
        send(handle, WM_ACTIVATE, activation(handle, WA_ACTIVE), reinterpret_cast<LPARAM>(previous));
        notifyActivation(handle, true);
    }
}

void Desktop::activate(HWND handle)
{
    if (handle != nullptr) {
        const Window* window = liveWindow(handle);
        if (window == nullptr || !window->visible) {
            return;
        }
    }
    setActive(handle);
}

void Desktop::placeWindow(Window& window, RECT rect, bool maximized, bool minimized)
{
    const RECT oldClient = clientOf(window);
    const bool stateChanged = window.maximized != maximized || window.minimized != minimized;
    window.rect = rect;
    window.maximized = maximized;
    window.minimized = minimized;
    const RECT client = clientOf(window);
    const bool moved = client.left != oldClient.left || client.top != oldClient.top;
    const bool sized = (client.right - client.left) != (oldClient.right - oldClient.left) ||
                       (client.bottom - client.top) != (oldClient.bottom - oldClient.top);
    if (window.visible && (sized || stateChanged)) {
        window.invalid = true;
    }
    host_.windowChanged(window);
    const HWND handle = window.handle;
    if (moved) {
        send(handle, WM_MOVE, 0, packPoint(client.left, client.top));
    }
    if (sized || stateChanged) {
        const WPARAM kind = minimized ? SIZE_MINIMIZED : (maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
        send(handle, WM_SIZE, kind, packPoint(client.right - client.left, client.bottom - client.top));
    }
}

void Desktop::userMoveOrSize(HWND handle, RECT wanted, bool sizing, int edge)
{
    if (liveWindow(handle) == nullptr) {
        return;
    }
    send(handle, WM_ENTERSIZEMOVE, 0, 0);
    RECT proposed = wanted;
    send(handle, sizing ? WM_SIZING : WM_MOVING, sizing ? static_cast<WPARAM>(edge) : 0,
         reinterpret_cast<LPARAM>(&proposed));
    if (Window* window = liveWindow(handle)) {
        placeWindow(*window, proposed, false, false);
    }
    send(handle, WM_EXITSIZEMOVE, 0, 0);
}

bool Desktop::trackingKey(int virtualKey)
{
    const Window* window = liveWindow(tracking_);
    if (window == nullptr) {
        tracking_ = nullptr;
        return false;
    }
    constexpr LONG step = 8;
    LONG dx = 0;
    LONG dy = 0;
    switch (virtualKey) {
    case VK_LEFT: dx = -step; break;
    case VK_RIGHT: dx = step; break;
    case VK_UP: dy = -step; break;
    case VK_DOWN: dy = step; break;
    case VK_RETURN:
    case VK_ESCAPE:
        tracking_ = nullptr;
        return true;
    default:
        return true;  // the tracking loop swallows every other key
    }
    const HWND handle = tracking_;
    RECT r = window->rect;
    if (trackingSizes_) {
        r.right = std::max(r.left + 1, r.right + dx);
        r.bottom = std::max(r.top + 1, r.bottom + dy);
    } else {
        r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    userMoveOrSize(handle, r, trackingSizes_, WMSZ_BOTTOMRIGHT);
    return true;
}

void Desktop::minimize(HWND handle)
{
    Window* window = liveWindow(handle);
    if (window == nullptr || window->minimized) {
        return;
    }
    if (!window->maximized) {
        window->restoreRect = window->rect;
    }
    window->restoresMaximized = window->maximized;
    const RECT iconic{minimizedOrigin, minimizedOrigin, minimizedOrigin + 160, minimizedOrigin + 28};
    placeWindow(*window, iconic, false, true);
    if (active_ == handle) {
        setActive(nullptr);
    }
}

void Desktop::maximize(HWND handle)
{
    Window* window = liveWindow(handle);
    if (window == nullptr || window->maximized) {
        return;
    }
    if (!window->minimized) {
        window->restoreRect = window->rect;
    }
    // The side frames hang over the screen edges; the caption stays on screen.
    const RECT insets = frameInsets(window->style);
    const SIZE screen = screenSize();
    const RECT full{-insets.left, -insets.left, screen.cx + insets.right, screen.cy + insets.bottom};
    placeWindow(*window, full, true, false);
    if (window->visible) {
        setActive(handle);
    }
}

void Desktop::restore(HWND handle)
{
    Window* window = liveWindow(handle);
    if (window == nullptr || (!window->minimized && !window->maximized)) {
        return;
    }
    // As in Win32, a window minimized while maximized comes back maximized;
    // restoring it once more brings back its normal rectangle.
    if (window->minimized && window->restoresMaximized) {
        window->restoresMaximized = false;
        maximize(handle);
        return;
    }
    placeWindow(*window, window->restoreRect, false, false);
    if (window->visible) {
        setActive(handle);
    }
}

int Desktop::hitTest(HWND handle, POINT p) const
{
    const Window* window = findWindow(handle);
    if (window == nullptr || window->destroyed || !window->visible) {
        return HTNOWHERE;
    }
    const RECT& r = window->rect;
    if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) {
        return HTNOWHERE;
    }
    const RECT client = clientOf(*window);
    if (p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom) {
        return HTCLIENT;
    }
    const RECT insets = frameInsets(window->style);
    const bool sizable = (window->style & WS_THICKFRAME) != 0;
    const bool left = p.x < r.left + insets.left;
    const bool right = p.x >= r.right - insets.right;
    const bool top = p.y < r.top + insets.left;  // the side frame's width, above the caption
    const bool bottom = p.y >= r.bottom - insets.bottom;
    if (!left && !right && !top && !bottom) {
        return HTCAPTION;
    }
    if (!sizable) {
        return HTBORDER;
    }
    if (top) {
        return left ? HTTOPLEFT : (right ? HTTOPRIGHT : HTTOP);
    }
    if (bottom) {
        return left ? HTBOTTOMLEFT : (right ? HTBOTTOMRIGHT : HTBOTTOM);
    }
    return left ? HTLEFT : HTRIGHT;
}

// ---- classes and windows -----------------------------------------------------

ATOM Desktop::registerClass(const WNDCLASSEXA* cls)
{
    if (cls == nullptr || cls->cbSize != sizeof(WNDCLASSEXA) || cls->lpfnWndProc == nullptr ||
        cls->lpszClassName == nullptr || IS_INTRESOURCE(cls->lpszClassName) || cls->lpszClassName[0] == '\0') {
        return 0;
    }
    const std::string name = cls->lpszClassName;
    if (classes_.contains(name)) {
        return 0;
    }
    WindowClass& entry = classes_[name];
    entry.name = name;
    entry.record = *cls;
    entry.record.lpszClassName = entry.name.c_str();
    entry.record.lpszMenuName = nullptr;
    if (++lastAtom_ == 0) {
        ++lastAtom_;
    }
    entry.atom = lastAtom_;
    return entry.atom;
}

BOOL Desktop::unregisterClass(LPCSTR name)
{
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return FALSE;
    }
    const auto it = classes_.find(name);
    if (it == classes_.end()) {
        return FALSE;
    }
    for (const auto& [handle, window] : windows_) {
        if (!window->destroyed && window->className == it->first) {
            return FALSE;
        }
    }
    classes_.erase(it);
    return TRUE;
}

HWND Desktop::createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int w, int h)
{
    if (className == nullptr || IS_INTRESOURCE(className)) {
        return nullptr;
    }
    const auto cls = classes_.find(className);
    if (cls == classes_.end() || !host_.canCreateWindows()) {
        return nullptr;
    }
    auto window = std::make_unique<Window>();
    const HWND handle = asHandle<HWND>(nextHandle());
    window->handle = handle;
    window->className = cls->first;
    window->title = title != nullptr ? title : "";
    window->procedure = cls->second.record.lpfnWndProc;
    window->style = style & ~stateBits;
    window->exStyle = exStyle;
    window->rect = RECT{x, y, x + std::max(w, 0), y + std::max(h, 0)};
    window->restoreRect = window->rect;
    Window& created = *window;
    windows_[handle] = std::move(window);
    order_.push_back(handle);
    host_.windowChanged(created);

    if (send(handle, WM_CREATE, 0, 0) == -1) {
        destroyWindow(handle);
        return nullptr;
    }
    const RECT client = clientOf(created);
    send(handle, WM_SIZE, SIZE_RESTORED, packPoint(client.right - client.left, client.bottom - client.top));
    send(handle, WM_MOVE, 0, packPoint(client.left, client.top));
    if ((style & WS_VISIBLE) != 0) {
        showWindow(handle, SW_SHOW);
    }
    return liveWindow(handle) != nullptr ? handle : nullptr;
}

BOOL Desktop::destroyWindow(HWND handle)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return FALSE;
    }
    if (capture_ == handle) {
        releaseCapture();
    }
    if (tracking_ == handle) {
        tracking_ = nullptr;
    }
    if (active_ == handle) {
        setActive(nullptr);
    }
    window->visible = false;
    window->destroyed = true;
    // Told after the handle is marked, so that a nested DestroyWindow fails
    // instead of destroying twice.
    if (window->procedure != nullptr) {
        window->procedure(handle, WM_DESTROY, 0, 0);
        window->procedure(handle, WM_NCDESTROY, 0, 0);
    }
    std::erase_if(queue_, [handle](const MSG& m) { return m.hwnd == handle; });
    if (window->systemMenu != nullptr) {
        menus_.erase(window->systemMenu);
        window->systemMenu = nullptr;
    }
    host_.windowDestroyed(*window);
    return TRUE;
}

LONG_PTR Desktop::getLong(HWND handle, int index)
{
    const Window* window = liveWindow(handle);
    if (window == nullptr) {
        return 0;
    }
    switch (index) {
    case GWL_STYLE: {
        DWORD style = window->style;
        if (window->visible) style |= WS_VISIBLE;
        if (window->minimized) style |= WS_MINIMIZE;
        if (window->maximized) style |= WS_MAXIMIZE;
        return static_cast<LONG>(style);
    }
    case GWL_EXSTYLE:
        return static_cast<LONG>(window->exStyle);
    case GWLP_USERDATA:
        return window->userData;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    default:
        return 0;
    }
}

LONG_PTR Desktop::setLong(HWND handle, int index, LONG_PTR value)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return 0;
    }
    const LONG_PTR previous = getLong(handle, index);
    switch (index) {
    case GWL_STYLE:
        // The visible and minimized states follow ShowWindow, not the style
        // bits; a style without WS_MAXIMIZE ends the maximized state, as in
        // Win32, where IsZoomed reads that bit.
        window->style = static_cast<DWORD>(value) & ~stateBits;
        if ((static_cast<DWORD>(value) & WS_MAXIMIZE) == 0) {
            window->maximized = false;
        }
        host_.windowChanged(*window);
        break;
    case GWL_EXSTYLE:
        window->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        window->userData = value;
        break;
    case GWLP_WNDPROC:
        window->procedure = reinterpret_cast<WNDPROC>(value);
        break;
    default:
        return 0;
    }
    return previous;
}

BOOL Desktop::showWindow(HWND handle, int command)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = window->visible ? TRUE : FALSE;
    if (command == SW_HIDE) {
        if (window->visible) {
            window->visible = false;
            send(handle, WM_SHOWWINDOW, FALSE, 0);
            host_.windowChanged(*window);
            if (active_ == handle) {
                setActive(nullptr);
            }
        }
        return wasVisible;
    }
    if (!window->visible) {
        window->visible = true;
        window->invalid = true;
        send(handle, WM_SHOWWINDOW, TRUE, 0);
        if (Window* shown = liveWindow(handle)) {
            host_.windowChanged(*shown);
        }
    }
    switch (command) {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        minimize(handle);
        break;
    case SW_SHOWMAXIMIZED:
        maximize(handle);
        setActive(handle);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        restore(handle);
        setActive(handle);
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        break;
    default:  // SW_SHOW, SW_SHOWDEFAULT
        if (liveWindow(handle) != nullptr) {
            setActive(handle);
        }
        break;
    }
    return wasVisible;
}

BOOL Desktop::setWindowPos(HWND handle, int x, int y, int cx, int cy, UINT flags)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return FALSE;
    }
    RECT rect = window->rect;
    if ((flags & SWP_NOMOVE) == 0) {
        rect = RECT{x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
    }
    if ((flags & SWP_NOSIZE) == 0) {
        rect.right = rect.left + std::max(cx, 0);
        rect.bottom = rect.top + std::max(cy, 0);
    }
    const RECT& old = window->rect;
    const bool changed = rect.left != old.left || rect.top != old.top || rect.right != old.right || rect.bottom != old.bottom;
    if ((flags & SWP_HIDEWINDOW) != 0) {
        showWindow(handle, SW_HIDE);
    }
    if (changed) {
        if (Window* live = liveWindow(handle)) {
            // Placing a maximized window moves it but leaves it maximized
            // (WS_MAXIMIZE stays), as in Win32.
            placeWindow(*live, rect, live->maximized, false);
        }
    } else if ((flags & SWP_FRAMECHANGED) != 0) {
        host_.windowChanged(*window);
    }
    if ((flags & SWP_SHOWWINDOW) != 0) {
        showWindow(handle, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNA : SW_SHOW);
    } else if ((flags & SWP_NOACTIVATE) == 0) {
        const Window* live = liveWindow(handle);
        if (live != nullptr && live->visible && !live->minimized) {
            setActive(handle);
        }
    }
    return liveWindow(handle) != nullptr ? TRUE : FALSE;
}

// ---- messages ----------------------------------------------------------------

BOOL Desktop::peekMessage(MSG* message, HWND filter, UINT first, UINT last, UINT remove)
{
    if (message == nullptr) {
        return FALSE;
    }
    host_.pollInput();
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if ((filter == nullptr || it->hwnd == filter) && inFilter(it->message, first, last)) {
            *message = *it;
            if ((remove & PM_REMOVE) != 0) {
                queue_.erase(it);
            }
            return TRUE;
        }
    }
    // WM_PAINT comes only when nothing else is queued, and keeps coming until
    // the window is validated.
    if (inFilter(WM_PAINT, first, last)) {
        for (HWND handle : order_) {
            const Window* window = findWindow(handle);
            if (!window->destroyed && window->visible && window->invalid && !window->minimized &&
                (filter == nullptr || filter == handle)) {
                *message = MSG{handle, WM_PAINT, 0, 0, 0, POINT{0, 0}};
                return TRUE;
            }
        }
    }
    return FALSE;
}

LRESULT Desktop::dispatch(const MSG* message)
{
    if (message == nullptr) {
        return 0;
    }
    return send(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT Desktop::defaultProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_CLOSE:
        destroyWindow(handle);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            send(handle, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            minimize(handle);
            break;
        case SC_MAXIMIZE:
            maximize(handle);
            break;
        case SC_RESTORE:
            restore(handle);
            break;
        case SC_MOVE:
        case SC_SIZE:
            tracking_ = handle;
            trackingSizes_ = (wParam & 0xFFF0) == SC_SIZE;
            host_.moveOrSizeRequested(*window, trackingSizes_);
            break;
        case SC_KEYMENU:
            if (lParam == ' ') {
                host_.systemMenuRequested(*window);
            }
            break;
        default:
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        if ((lParam & (1 << 29)) != 0) {
            if (wParam == VK_F4) {
                send(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else if (wParam == VK_SPACE) {
                send(handle, WM_SYSCOMMAND, SC_KEYMENU, ' ');
            }
        }
        return 0;
    case WM_PAINT:
        window->invalid = false;
        return 0;
    case WM_SETCURSOR:
        // Over the frame the system shows its own pointer; over the client
        // area a window without a class cursor keeps whatever it set.
        if (LOWORD(lParam) != HTCLIENT) {
            setCursor(arrow_);
            return TRUE;
        }
        return FALSE;
    case WM_NCHITTEST:
        return hitTest(handle, POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
    default:
        return 0;
    }
}

BOOL Desktop::validate(HWND handle, bool valid)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return FALSE;
    }
    window->invalid = !valid && window->visible;
    return TRUE;
}

// ---- menus ---------------------------------------------------------------------

void Desktop::fillDefaultSystemMenu(Menu& target)
{
    target.items = {
        {MF_STRING, SC_RESTORE, "Restore"},    {MF_STRING, SC_MOVE, "Move"},
        {MF_STRING, SC_SIZE, "Size"},          {MF_STRING, SC_MINIMIZE, "Minimize"},
        {MF_STRING, SC_MAXIMIZE, "Maximize"},  {MF_SEPARATOR, 0, ""},
        {MF_STRING, SC_CLOSE, "Close\tAlt+F4"},
    };
}

HMENU Desktop::systemMenu(HWND handle, bool revert)
{
    Window* window = liveWindow(handle);
    if (window == nullptr) {
        return nullptr;
    }
    if (window->systemMenu == nullptr) {
        const HMENU created = asHandle<HMENU>(nextHandle());
        Menu& entry = menus_[created];
        entry.handle = created;
        entry.owner = handle;
        fillDefaultSystemMenu(entry);
        window->systemMenu = created;
    }
    if (revert) {
        fillDefaultSystemMenu(menus_[window->systemMenu]);
        return nullptr;
    }
    return window->systemMenu;
}

BOOL Desktop::removeMenu(HMENU handle, UINT position, UINT flags)
{
    Menu* target = menu(handle);
    if (target == nullptr) {
        return FALSE;
    }
    if ((flags & MF_BYPOSITION) != 0) {
        if (position >= target->items.size()) {
            return FALSE;
        }
        target->items.erase(target->items.begin() + position);
        return TRUE;
    }
    const auto it = std::find_if(target->items.begin(), target->items.end(),
                                 [position](const MenuItem& item) { return item.id == position; });
    if (it == target->items.end()) {
        return FALSE;
    }
    target->items.erase(it);
    return TRUE;
}

BOOL Desktop::appendMenu(HMENU handle, UINT flags, UINT_PTR id, LPCSTR text)
{
    Menu* target = menu(handle);
    if (target == nullptr) {
        return FALSE;
    }
    const bool separator = (flags & MF_SEPARATOR) != 0;
    target->items.push_back(MenuItem{flags, id, separator || text == nullptr ? std::string() : std::string(text)});
    return TRUE;
}

// ---- cursors and capture --------------------------------------------------------

HCURSOR Desktop::sharedCursor(LPCSTR name)
{
    if (!IS_INTRESOURCE(name)) {
        return nullptr;  // no cursor resources of our own
    }
    if (name == IDC_ARROW) {
        return arrow_;
    }
    return nullptr;
}

HCURSOR Desktop::createCursor(int width, int height, const void* andMask, const void* xorMask)
{
    if (width <= 0 || height <= 0 || andMask == nullptr || xorMask == nullptr) {
        return nullptr;
    }
    // Rows of monochrome bits, each padded to a 16-bit boundary.
    const int rowBytes = ((width + 15) / 16) * 2;
    const auto* andBits = static_cast<const unsigned char*>(andMask);
    const auto* xorBits = static_cast<const unsigned char*>(xorMask);
    bool invisible = true;
    for (int y = 0; y < height && invisible; ++y) {
        for (int x = 0; x < width; ++x) {
            const int byte = y * rowBytes + x / 8;
            const int bit = 7 - x % 8;
            if (((andBits[byte] >> bit) & 1) == 0 || ((xorBits[byte] >> bit) & 1) != 0) {
                invisible = false;
                break;
            }
        }
    }
    const HCURSOR handle = asHandle<HCURSOR>(nextHandle());
    cursors_[handle] = Cursor{handle, false, invisible};
    return handle;
}

BOOL Desktop::destroyCursor(HCURSOR handle)
{
    const auto it = cursors_.find(handle);
    if (it == cursors_.end()) {
        return FALSE;
    }
    if (it->second.shared) {
        return TRUE;
    }
    cursors_.erase(it);
    if (cursor_ == handle) {
        cursor_ = nullptr;
        host_.cursorChanged(nullptr);
    }
    return TRUE;
}

HCURSOR Desktop::setCursor(HCURSOR handle)
{
    const HCURSOR previous = cursor_;
    if (handle != nullptr && findCursor(handle) == nullptr) {
        return nullptr;
    }
    if (handle != previous) {
        cursor_ = handle;
        host_.cursorChanged(findCursor(handle));
    }
    return previous;
}

HWND Desktop::setCapture(HWND handle)
{
    const HWND previous = capture_;
    if (liveWindow(handle) == nullptr) {
        return previous;
    }
    capture_ = handle;
    if (previous != nullptr && previous != handle) {
        send(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
    }
    host_.captureChanged(capture_);
    return previous;
}

BOOL Desktop::releaseCapture()
{
    const HWND previous = capture_;
    capture_ = nullptr;
    if (previous != nullptr) {
        send(previous, WM_CAPTURECHANGED, 0, 0);
        host_.captureChanged(nullptr);
    }
    return TRUE;
}

// ---- device contexts -------------------------------------------------------------

HDC Desktop::getDC(HWND handle)
{
    if (liveWindow(handle) == nullptr) {
        return nullptr;
    }
    const HDC dc = asHandle<HDC>(nextHandle());
    contexts_[dc] = DeviceContext{handle, stockBrush_};
    return dc;
}

int Desktop::releaseDC(HWND handle, HDC dc)
{
    const auto it = contexts_.find(dc);
    if (it == contexts_.end() || it->second.window != handle) {
        return 0;
    }
    contexts_.erase(it);
    return 1;
}

HBRUSH Desktop::createSolidBrush(COLORREF colour)
{
    const HBRUSH brush = asHandle<HBRUSH>(nextHandle());
    brushes_[brush] = colour & 0x00FFFFFFu;
    return brush;
}

HGDIOBJ Desktop::selectObject(HDC dc, HGDIOBJ object)
{
    const auto it = contexts_.find(dc);
    if (it == contexts_.end() || !brushes_.contains(object)) {
        return nullptr;
    }
    const HGDIOBJ previous = it->second.brush;
    it->second.brush = object;
    return previous;
}

BOOL Desktop::rectangle(HDC dc, int left, int top, int right, int bottom)
{
    const auto it = contexts_.find(dc);
    if (it == contexts_.end()) {
        return FALSE;
    }
    Window* window = liveWindow(it->second.window);
    const auto brush = brushes_.find(it->second.brush);
    if (window == nullptr || brush == brushes_.end()) {
        return FALSE;
    }
    const RECT client = clientOf(*window);
    const int cw = client.right - client.left;
    const int ch = client.bottom - client.top;
    if (window->pixelsWidth != cw || window->pixelsHeight != ch) {
        window->pixels.assign(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch), 0u);
        window->pixelsWidth = cw;
        window->pixelsHeight = ch;
    }
    // COLORREF is 0x00BBGGRR; the client pixels are 0x00RRGGBB.
    const COLORREF c = brush->second;
    const std::uint32_t fill = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    const std::uint32_t outline = 0;  // the default pen is black
    for (int y = std::max(top, 0); y < std::min(bottom, ch); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, cw); ++x) {
            const bool edge = x == left || x == right - 1 || y == top || y == bottom - 1;
            window->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(cw) + static_cast<std::size_t>(x)] =
                edge ? outline : fill;
        }
    }
    host_.windowPresented(*window);
    return TRUE;
}

BOOL Desktop::deleteObject(HGDIOBJ object)
{
    if (object == stockBrush_) {
        return TRUE;
    }
    return brushes_.erase(object) != 0 ? TRUE : FALSE;
}

}  // namespace desktop
