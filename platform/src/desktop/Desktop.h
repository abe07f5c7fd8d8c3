#pragma once

// The desktop model behind our Win32 subset on Linux.
//
// One Desktop per process holds every window class, window, system menu,
// cursor and brush, the thread's message queue, the active window, the mouse
// capture and the asynchronous key state. The Win32 calls in platform/src/win32
// are thin wrappers over it. What the model cannot know by itself (the screen,
// the user's input, where pixels end up) comes from one Host, chosen when the
// program is linked: the headless host (tests, tools) or the SDL2 host (the
// programs). Nothing reads a command line or the environment to choose.
//
// Internal API for the rest of our platform layer (the Direct3D 9 subset uses
// it); stable once committed:
//   desktop::Desktop& desktop::Desktop::instance()   the process's desktop
//   const Window* findWindow(HWND)      any window ever made, destroyed ones too;
//                                       null for a handle that never was a window
//   Window::destroyed, style, visible, minimized, maximized
//   RECT clientRectOnScreen(HWND)       client area in screen coordinates
//                                       (empty rectangle for no/destroyed window)
//   bool isActive(HWND)                 the window is the active window
//   SIZE screenSize()                   the host's screen
//   addActivationObserver(HWND, fn)     fn(bool active) after each change of the
//                                       window's activation; removeActivationObserver
//   present(HWND, pixels, w, h, pitch)  show XRGB8888 rows (bits 24-31 ignored) in
//                                       the client area; the host scales them to
//                                       the client size. Stored even while the
//                                       window is hidden; false only for a
//                                       missing or destroyed window.
// Everything runs on the one thread that makes the windows.

#include <windows.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

struct MenuItem {
    UINT flags;        // MF_STRING or MF_SEPARATOR (plus state bits as given)
    UINT_PTR id;       // command identifier; 0 for the system's own separator
    std::string text;  // empty for separators
};

struct Menu {
    HMENU handle = nullptr;
    HWND owner = nullptr;
    std::vector<MenuItem> items;
};

struct Cursor {
    HCURSOR handle = nullptr;
    bool shared = false;     // a system cursor: never freed
    bool invisible = false;  // AND mask all ones and XOR mask all zeros
};

struct Window {
    HWND handle = nullptr;
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};         // outer rectangle, screen coordinates
    RECT restoreRect{};  // outer rectangle before minimize or maximize
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool restoresMaximized = false;  // minimized from the maximized state
    bool destroyed = false;
    bool invalid = false;  // WM_PAINT is due while set
    LONG_PTR userData = 0;
    HMENU systemMenu = nullptr;

    // The picture last shown in the client area (XRGB8888, pixelsWidth per row).
    std::vector<std::uint32_t> pixels;
    int pixelsWidth = 0;
    int pixelsHeight = 0;
};

// What drives the desktop. Every hook but screenSize has an empty default.
class Host {
public:
    virtual ~Host() = default;
    virtual SIZE screenSize() const = 0;
    // False where there is no screen to put windows on: CreateWindowExA fails.
    virtual bool canCreateWindows() { return true; }
    // Called by PeekMessageA before it looks at the queue: turn pending user
    // input into messages.
    virtual void pollInput() {}
    virtual void windowChanged(const Window& window) { (void)window; }    // created, restyled, moved, shown, hidden, titled
    virtual void windowDestroyed(const Window& window) { (void)window; }  // the window object stays in the model
    virtual void windowPresented(const Window& window) { (void)window; }  // new client pixels
    virtual void cursorChanged(const Cursor* cursor) { (void)cursor; }    // null: no cursor
    virtual void captureChanged(HWND capture) { (void)capture; }
    // DefWindowProcA opens the system menu (Alt+Space, SC_KEYMENU).
    virtual void systemMenuRequested(const Window& window) { (void)window; }
    // DefWindowProcA starts a move or size by keyboard (SC_MOVE, SC_SIZE);
    // the model then takes the arrow keys (Desktop::trackingKey).
    virtual void moveOrSizeRequested(const Window& window, bool sizing) { (void)window; (void)sizing; }
};

// Defined by the host linked into the program: the headless or the SDL2 host.
Host& linkedHost();

// The fixed frame metrics: consistent with AdjustWindowRect for every style.
RECT frameInsets(DWORD style);

class Desktop {
public:
    static Desktop& instance();

    explicit Desktop(Host& host);
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    Host& host() { return host_; }
    // Forget every window, class, menu, cursor, brush, message and state.
    void reset();

    // ---- queries used across the platform layer
    const Window* findWindow(HWND handle) const;
    Window* liveWindow(HWND handle);  // null when missing or destroyed
    RECT clientRectOnScreen(HWND handle) const;
    bool isActive(HWND handle) const { return handle != nullptr && active_ == handle; }
    HWND activeWindow() const { return active_; }
    HWND capture() const { return capture_; }
    SIZE screenSize() const { return host_.screenSize(); }
    const Cursor* currentCursor() const;
    HCURSOR currentCursorHandle() const { return cursor_; }
    const Cursor* findCursor(HCURSOR handle) const;
    const Menu* findMenu(HMENU handle) const;
    std::vector<HWND> windows() const;  // live windows, in creation order

    using ActivationObserver = std::function<void(bool active)>;
    int addActivationObserver(HWND handle, ActivationObserver observer);
    void removeActivationObserver(int id);

    bool present(HWND handle, const void* pixels, int width, int height, int pitchBytes);

    // ---- the call log (off by default, so that a frame allocates nothing)
    bool logging() const { return logging_; }
    void setLogging(bool on) { logging_ = on; }
    void log(std::string entry) { if (logging_) log_.push_back(std::move(entry)); }
    const std::vector<std::string>& callLog() const { return log_; }
    void clearLog() { log_.clear(); }

    // ---- host side: input and state changes
    void setKeyState(int virtualKey, bool down);
    bool keyIsDown(int virtualKey) const;
    void post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    // Make another application's window active: ours are deactivated.
    void activate(HWND handle);
    // The user moves or sizes the window to a new outer rectangle: WM_ENTERSIZEMOVE,
    // WM_MOVING or WM_SIZING with the proposed rectangle (which the window may
    // change), the move itself with WM_MOVE/WM_SIZE, WM_EXITSIZEMOVE.
    void userMoveOrSize(HWND handle, RECT wanted, bool sizing, int edge);
    // "Move" and "Size" of the system menu (SC_MOVE, SC_SIZE) track the
    // keyboard: the arrow keys move the window, or its bottom-right corner, by
    // 8 pixels as a user move or size; Enter or Escape ends. A host offers
    // every key-down here first; true means the key was taken.
    bool trackingKey(int virtualKey);
    HWND tracking() const { return tracking_; }
    void minimize(HWND handle);
    void maximize(HWND handle);
    void restore(HWND handle);
    int hitTest(HWND handle, POINT screenPoint) const;

    // ---- the Win32 calls' implementations
    ATOM registerClass(const WNDCLASSEXA* cls);
    BOOL unregisterClass(LPCSTR name);
    HWND createWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int w, int h);
    BOOL destroyWindow(HWND handle);
    LONG_PTR getLong(HWND handle, int index);
    LONG_PTR setLong(HWND handle, int index, LONG_PTR value);
    BOOL showWindow(HWND handle, int command);
    BOOL setWindowPos(HWND handle, int x, int y, int cx, int cy, UINT flags);
    BOOL peekMessage(MSG* message, HWND filter, UINT first, UINT last, UINT remove);
    LRESULT dispatch(const MSG* message);
    LRESULT defaultProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL validate(HWND handle, bool valid);

    HMENU systemMenu(HWND handle, bool revert);
    BOOL removeMenu(HMENU menu, UINT position, UINT flags);
    BOOL appendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text);

    HCURSOR sharedCursor(LPCSTR name);
    HCURSOR createCursor(int width, int height, const void* andMask, const void* xorMask);
    BOOL destroyCursor(HCURSOR cursor);
    HCURSOR setCursor(HCURSOR cursor);
    HWND setCapture(HWND handle);
    BOOL releaseCapture();

    HDC getDC(HWND handle);
    int releaseDC(HWND handle, HDC dc);
    HBRUSH createSolidBrush(COLORREF colour);
    HGDIOBJ selectObject(HDC dc, HGDIOBJ object);
    BOOL rectangle(HDC dc, int left, int top, int right, int bottom);
    BOOL deleteObject(HGDIOBJ object);

private:
    struct WindowClass {
        WNDCLASSEXA record{};
        std::string name;
        ATOM atom = 0;
    };
    struct DeviceContext {
        HWND window = nullptr;
        HGDIOBJ brush = nullptr;
    };
    struct Observer {
        int id;
        HWND window;
        ActivationObserver observer;
    };

    std::uintptr_t nextHandle();
    void setActive(HWND handle);
    void notifyActivation(HWND handle, bool active);
    void placeWindow(Window& window, RECT rect, bool maximized, bool minimized);
    static RECT clientOf(const Window& window);
    Menu* menu(HMENU handle);
    void fillDefaultSystemMenu(Menu& menu);

    Host& host_;
    std::uintptr_t lastHandle_ = 0;
    ATOM lastAtom_ = 0;
    std::map<std::string, WindowClass> classes_;
    std::map<HWND, std::unique_ptr<Window>> windows_;
    std::vector<HWND> order_;
    std::map<HMENU, Menu> menus_;
    std::map<HCURSOR, Cursor> cursors_;
    std::map<HDC, DeviceContext> contexts_;
    std::map<HGDIOBJ, COLORREF> brushes_;
    std::deque<MSG> queue_;
    std::vector<Observer> observers_;
    int lastObserver_ = 0;
    HWND active_ = nullptr;
    HWND capture_ = nullptr;
    HWND tracking_ = nullptr;
    bool trackingSizes_ = false;
    HCURSOR cursor_ = nullptr;
    HCURSOR arrow_ = nullptr;
    HGDIOBJ stockBrush_ = nullptr;
    std::array<bool, 256> keys_{};
    bool logging_ = false;
    std::vector<std::string> log_;
};

}  // namespace desktop
