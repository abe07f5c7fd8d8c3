/* Asks an X window to close the way a window manager's close button does:
 * a WM_DELETE_WINDOW client message. Used by the Wine tests, where Xvfb runs
 * without a window manager. */
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc != 2 || strcmp(argv[1], "--help") == 0) {
        fprintf(argc == 2 ? stdout : stderr, "usage: send-close WINDOW_ID\n");
        return argc == 2 ? 0 : 2;
    }
    char* end = NULL;
    const unsigned long window = strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || window == 0) {
        fprintf(stderr, "send-close: '%s' is not a window id\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "send-close: cannot open the X display\n");
        return 1;
    }
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, (Window)window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return 0;
}
