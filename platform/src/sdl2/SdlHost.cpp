#include "sdl2/SdlHost.h"

#include "sdl2/SdlKeys.h"

#include <algorithm>
#include <cstring>

namespace sdlhost {

namespace {

desktop::Desktop& model()
{
    return desktop::Desktop::instance();
}

bool captioned(DWORD style)
{
    return (style & WS_CAPTION) == WS_CAPTION;
}

// The part of a window that the SDL window covers: the client area of a
// captioned window (the window manager draws the frame), the whole window
// otherwise (a popup covers the screen without decoration; its thin border is
// drawn black around the picture).
RECT sdlRect(const desktop::Window& w)
{
    return captioned(w.style) ? model().clientRectOnScreen(w.handle) : w.rect;
}

bool takeEcho(std::vector<SDL_Point>& echoes, int x, int y)
{
    const auto it = std::find_if(echoes.begin(), echoes.end(), [&](const SDL_Point& p) { return p.x == x && p.y == y; });
    if (it == echoes.end()) {
        return false;
    }
    echoes.erase(echoes.begin(), it + 1);
    return true;
}

LPARAM clientPoint(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<std::uint16_t>(x)), static_cast<WORD>(static_cast<std::uint16_t>(y)));
}

}  // namespace

SdlHost::~SdlHost()
{
    for (auto& [handle, s] : surfaces_) {
        if (s.texture != nullptr) SDL_DestroyTexture(s.texture);
        if (s.renderer != nullptr) SDL_DestroyRenderer(s.renderer);
        if (s.window != nullptr) SDL_DestroyWindow(s.window);
    }
    if (video_ == 1) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool SdlHost::videoReady() const
{
    if (video_ == 0) {
        video_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 ? 1 : -1;
        // Without a display SDL falls back to drivers that show nothing; that
        // is no screen to put windows on.
        const char* driver = video_ == 1 ? SDL_GetCurrentVideoDriver() : nullptr;
        if (driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            video_ = -1;
        }
    }
    return video_ == 1;
}

SIZE SdlHost::screenSize() const
{
    SDL_DisplayMode mode;
    if (videoReady() && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        return SIZE{mode.w, mode.h};
    }
    return SIZE{0, 0};
}

HWND SdlHost::windowFor(Uint32 id) const
{
    for (const auto& [handle, s] : surfaces_) {
        if (s.window != nullptr && SDL_GetWindowID(s.window) == id) {
            return handle;
        }
    }
    return nullptr;
}

void SdlHost::windowChanged(const desktop::Window& w)
{
    if (!videoReady() || w.destroyed) {
        return;
    }
    Surface& s = surfaces_[w.handle];
    const RECT r = sdlRect(w);
    const int width = std::max<int>(1, r.right - r.left);
    const int height = std::max<int>(1, r.bottom - r.top);
    if (s.window == nullptr) {
        s.window = SDL_CreateWindow(w.title.c_str(), r.left, r.top, width, height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        if (s.window == nullptr) {
            surfaces_.erase(w.handle);
            return;
        }
        s.renderer = SDL_CreateRenderer(s.window, -1, 0);
        if (s.renderer == nullptr) {
            s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE);
        }
        s.applied = SDL_Rect{r.left, r.top, width, height};
    }
    const bool bordered = captioned(w.style);
    if (bordered != s.bordered) {
        SDL_SetWindowBordered(s.window, bordered ? SDL_TRUE : SDL_FALSE);
        s.bordered = bordered;
    }
    const bool resizable = bordered && (w.style & WS_THICKFRAME) != 0;
    if (resizable != s.resizable) {
        SDL_SetWindowResizable(s.window, resizable ? SDL_TRUE : SDL_FALSE);
        s.resizable = resizable;
    }
    const Uint32 flags = SDL_GetWindowFlags(s.window);
    if (w.minimized) {
        if ((flags & SDL_WINDOW_MINIMIZED) == 0) SDL_MinimizeWindow(s.window);
    } else if (w.maximized) {
        if ((flags & SDL_WINDOW_MAXIMIZED) == 0) SDL_MaximizeWindow(s.window);
    } else {
        if ((flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED)) != 0) SDL_RestoreWindow(s.window);
        if (r.left != s.applied.x || r.top != s.applied.y) {
            SDL_SetWindowPosition(s.window, r.left, r.top);
            s.echoPositions.push_back(SDL_Point{r.left, r.top});
        }
        if (width != s.applied.w || height != s.applied.h) {
            SDL_SetWindowSize(s.window, width, height);
            s.echoSizes.push_back(SDL_Point{width, height});
        }
        s.applied = SDL_Rect{r.left, r.top, width, height};
    }
    if (w.visible && !s.shown) {
        SDL_ShowWindow(s.window);
        SDL_RaiseWindow(s.window);
        s.shown = true;
    } else if (!w.visible && s.shown) {
        SDL_HideWindow(s.window);
        s.shown = false;
    }
    if (s.shown) {
        render(w.handle);
    }
}

void SdlHost::windowDestroyed(const desktop::Window& w)
{
    if (menu_.isOpenFor(w.handle)) {
        menu_.close();
    }
    const auto it = surfaces_.find(w.handle);
    if (it == surfaces_.end()) {
        return;
    }
    Surface& s = it->second;
    if (s.texture != nullptr) SDL_DestroyTexture(s.texture);
    if (s.renderer != nullptr) SDL_DestroyRenderer(s.renderer);
    if (s.window != nullptr) SDL_DestroyWindow(s.window);
    surfaces_.erase(it);
}

void SdlHost::windowPresented(const desktop::Window& w)
{
    render(w.handle);
}

void SdlHost::render(HWND handle)
{
    const auto it = surfaces_.find(handle);
    const desktop::Window* w = model().liveWindow(handle);
    if (it == surfaces_.end() || w == nullptr || it->second.renderer == nullptr) {
        return;
    }
    Surface& s = it->second;
    if (w->pixelsWidth > 0 && w->pixelsHeight > 0) {
        if (s.texture == nullptr || s.textureWidth != w->pixelsWidth || s.textureHeight != w->pixelsHeight) {
            if (s.texture != nullptr) SDL_DestroyTexture(s.texture);
            s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                          w->pixelsWidth, w->pixelsHeight);
            s.textureWidth = w->pixelsWidth;
            s.textureHeight = w->pixelsHeight;
        }
        if (s.texture != nullptr) {
            SDL_UpdateTexture(s.texture, nullptr, w->pixels.data(), w->pixelsWidth * 4);
        }
    }
    const RECT area = sdlRect(*w);
    const RECT client = model().clientRectOnScreen(handle);
    const SDL_Rect target{client.left - area.left, client.top - area.top, client.right - client.left,
                          client.bottom - client.top};
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    if (s.texture != nullptr && w->pixelsWidth > 0) {
        SDL_RenderCopy(s.renderer, s.texture, nullptr, &target);
    }
    if (menu_.isOpenFor(handle)) {
        menu_.draw(s.renderer, target.x, target.y);
    }
    SDL_RenderPresent(s.renderer);
}

void SdlHost::cursorChanged(const desktop::Cursor* cursor)
{
    if (videoReady()) {
        SDL_ShowCursor(cursor == nullptr || cursor->invisible ? SDL_DISABLE : SDL_ENABLE);
    }
}

void SdlHost::captureChanged(HWND capture)
{
    if (videoReady()) {
        SDL_CaptureMouse(capture != nullptr ? SDL_TRUE : SDL_FALSE);
    }
}

void SdlHost::systemMenuRequested(const desktop::Window& w)
{
    if (surfaces_.contains(w.handle)) {
        menu_.open(w.handle);
        render(w.handle);
    }
}

void SdlHost::pollInput()
{
    // Our own handlers may pump again (a menu switch does): take events once.
    if (polling_ || video_ != 1) {
        return;
    }
    polling_ = true;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
        case SDL_QUIT:
            // An interrupt from the terminal: ask every window to close.
            for (HWND handle : model().windows()) {
                model().post(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            break;
        case SDL_WINDOWEVENT:
            handleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKey(event.key, event.type == SDL_KEYDOWN);
            // One key at a time: the asynchronous key state then matches the
            // key message being handled (Alt+Enter), and the keys after
            // Alt+Space reach the menu it opens.
            polling_ = false;
            return;
        case SDL_MOUSEMOTION:
            handleMouse(windowFor(event.motion.windowID), event.motion.x, event.motion.y, WM_MOUSEMOVE, 0, false);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            const int button = event.button.button;
            UINT message = 0;
            if (button == SDL_BUTTON_LEFT) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            if (button == SDL_BUTTON_RIGHT) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            if (button == SDL_BUTTON_MIDDLE) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            if (message != 0) {
                handleMouse(windowFor(event.button.windowID), event.button.x, event.button.y, message, button, down);
            }
            break;
        }
        default:
            break;
        }
    }
    polling_ = false;
}

void SdlHost::handleWindowEvent(const SDL_WindowEvent& e)
{
    const HWND handle = windowFor(e.windowID);
    desktop::Window* w = model().liveWindow(handle);
    if (w == nullptr) {
        return;
    }
    Surface& s = surfaces_[handle];
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        model().post(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_MOVED: {
        if (takeEcho(s.echoPositions, e.data1, e.data2) || w->minimized || w->maximized ||
            (e.data1 == s.applied.x && e.data2 == s.applied.y)) {
            break;
        }
        const LONG dx = e.data1 - s.applied.x;
        const LONG dy = e.data2 - s.applied.y;
        s.applied.x = e.data1;
        s.applied.y = e.data2;
        const RECT r = w->rect;
        model().userMoveOrSize(handle, RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, false, 0);
        break;
    }
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        if (takeEcho(s.echoSizes, e.data1, e.data2) || w->minimized || w->maximized ||
            (e.data1 == s.applied.w && e.data2 == s.applied.h)) {
            break;
        }
        s.applied.w = e.data1;
        s.applied.h = e.data2;
        RECT r = w->rect;
        const RECT insets = captioned(w->style) ? desktop::frameInsets(w->style) : RECT{0, 0, 0, 0};
        r.right = r.left + e.data1 + insets.left + insets.right;
        r.bottom = r.top + e.data2 + insets.top + insets.bottom;
        model().userMoveOrSize(handle, r, true, WMSZ_BOTTOMRIGHT);
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        model().activate(handle);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (menu_.isOpenFor(handle)) {
            menu_.close();
        }
        if (model().activeWindow() == handle) {
            model().activate(nullptr);
        }
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        model().validate(handle, false);
        render(handle);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        model().minimize(handle);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        model().maximize(handle);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        model().restore(handle);
        break;
    default:
        break;
    }
}

void SdlHost::handleKey(const SDL_KeyboardEvent& e, bool down)
{
    HWND handle = windowFor(e.windowID);
    if (handle == nullptr) {
        handle = model().activeWindow();
    }
    if (handle == nullptr) {
        return;
    }
    if (menu_.isOpenFor(handle)) {
        // The open menu takes the keyboard, as Win32's menu loop does.
        if (down) {
            const UINT_PTR command = menu_.key(e.keysym.scancode);
            if (command != 0) {
                model().post(handle, WM_SYSCOMMAND, command, 0);
            }
            render(handle);
        }
        const int vk = virtualKeyFor(e.keysym.scancode);
        if (vk != 0) {
            model().setKeyState(vk, down);
        }
        return;
    }
    const int vk = virtualKeyFor(e.keysym.scancode);
    if (vk == 0) {
        return;
    }
    if (model().tracking() == handle) {
        // Moving or sizing from the menu: the model takes the keys.
        if (down) {
            model().trackingKey(vk);
        }
        return;
    }
    const bool altBefore = model().keyIsDown(VK_MENU);
    model().setKeyState(vk, down);
    const bool alt = model().keyIsDown(VK_MENU);
    LPARAM flags = 1 | (static_cast<LPARAM>(e.keysym.scancode & 0xFF) << 16);
    UINT message;
    if (down) {
        if (alt) flags |= LPARAM{1} << 29;
        if (e.repeat != 0) flags |= LPARAM{1} << 30;
        message = alt || vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        if (altBefore && vk != VK_MENU) flags |= LPARAM{1} << 29;
        flags |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
        message = altBefore || vk == VK_F10 ? WM_SYSKEYUP : WM_KEYUP;
    }
    model().post(handle, message, static_cast<WPARAM>(vk), flags);
}

void SdlHost::handleMouse(HWND handle, int x, int y, UINT message, int button, bool down)
{
    const HWND capture = model().capture();
    if (capture != nullptr) {
        handle = capture;
    }
    const desktop::Window* w = model().liveWindow(handle);
    if (w == nullptr) {
        return;
    }
    const RECT area = sdlRect(*w);
    const RECT client = model().clientRectOnScreen(handle);
    const int cx = x - (client.left - area.left);
    const int cy = y - (client.top - area.top);

    if (menu_.isOpenFor(handle)) {
        if (message == WM_MOUSEMOVE) {
            menu_.hover(cx, cy);
        } else if (down) {
            const UINT_PTR command = menu_.click(cx, cy);
            if (command != 0) {
                model().post(handle, WM_SYSCOMMAND, command, 0);
            }
        }
        render(handle);
        return;
    }

    if (button == SDL_BUTTON_LEFT) model().setKeyState(VK_LBUTTON, down);
    if (button == SDL_BUTTON_RIGHT) model().setKeyState(VK_RBUTTON, down);
    if (button == SDL_BUTTON_MIDDLE) model().setKeyState(VK_MBUTTON, down);
    WPARAM keys = 0;
    if (model().keyIsDown(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (model().keyIsDown(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (model().keyIsDown(VK_MBUTTON)) keys |= MK_MBUTTON;

    if (capture == nullptr) {
        const int hit = model().hitTest(handle, POINT{area.left + x, area.top + y});
        model().send(handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle), MAKELPARAM(hit, message));
        if (hit != HTCLIENT) {
            return;
        }
    }
    model().post(handle, message, keys, clientPoint(cx, cy));
}

}  // namespace sdlhost

desktop::Host& desktop::linkedHost()
{
    static sdlhost::SdlHost host;
    return host;
}
