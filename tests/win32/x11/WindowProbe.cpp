// A DisplayWindow on the real desktop (the SDL2 host), for the X11 test: it
// opens a 400 x 300 window, says where its client area is, and reports every
// key-down its listener receives and each output switch asked for (from the
// system menu), one line each, until Escape, a close or a timeout.
#include "display/DisplayBase.h"
#include "display/win32/DisplayWindow.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

class Callbacks : public WindowCallbacks {
public:
    bool paint() override { return true; }
    bool fullscreen() override { return report("fullscreen"); }
    bool windowed() override { return report("windowed"); }
    void requestToggle() override {}
    void requestClose() override { closing = true; }
    bool closing = false;

private:
    static bool report(const char* what)
    {
        std::printf("%s\n", what);
        std::fflush(stdout);
        return true;
    }
};

class KeyReporter : public DisplayListener {
public:
    void onKeyDown(DisplayInterface*, int key) override
    {
        std::printf("key %d\n", key);
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("Usage: x11_window_probe\nOpens a 400 x 300 display window titled \"tovi-probe\" on the X display,\n"
                    "prints \"ready X Y W H\" (its client area on the screen) and \"key CODE\" for every key-down,\n"
                    "and ends on Escape, when closed, or after 30 seconds.\n");
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "x11_window_probe: unknown argument '%s' (try --help)\n", argv[1]);
        return 2;
    }
    DisplayBase display;
    Callbacks callbacks;
    KeyReporter reporter;
    DisplayWindow window(&display, &callbacks, "tovi-probe", 400, 300);
    if (window.handle == nullptr) {
        std::fprintf(stderr, "x11_window_probe: no window could be made (is there an X display?)\n");
        return 1;
    }
    window.listener = &reporter;
    window.enterWindowed(400, 300);
    ShowWindow(window.handle, SW_SHOW);
    window.pumpMessages();

    RECT client{};
    GetClientRect(window.handle, &client);
    POINT origin{0, 0};
    ClientToScreen(window.handle, &origin);
    std::printf("ready %ld %ld %ld %ld\n", static_cast<long>(origin.x), static_cast<long>(origin.y),
                static_cast<long>(client.right), static_cast<long>(client.bottom));
    std::fflush(stdout);

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!callbacks.closing && IsWindow(window.handle) && std::chrono::steady_clock::now() < end) {
        window.pumpMessages();
        Sleep(10);
    }
    DestroyWindow(window.handle);
    window.handle = nullptr;
    DestroyCursor(window.blankCursor);
    return 0;
}
