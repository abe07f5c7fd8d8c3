// e2e_close_request: asks an X window to close the way a window manager's
// close button does (a WM_DELETE_WINDOW client message), for the end-to-end
// tests. xdotool's windowclose destroys the window instead, which is no request.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::puts("Usage: e2e_close_request WINDOW-ID\n"
                  "Sends WM_DELETE_WINDOW to the X window WINDOW-ID (decimal or 0x hex) on $DISPLAY.");
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "e2e_close_request: expected one window id (try --help)\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || id == 0) {
        std::fprintf(stderr, "e2e_close_request: '%s' is not a window id\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "e2e_close_request: cannot open the X display\n");
        return 1;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(id);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, static_cast<Window>(id), False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    if (sent == 0) {
        std::fprintf(stderr, "e2e_close_request: the X server refused the message\n");
        return 1;
    }
    return 0;
}
