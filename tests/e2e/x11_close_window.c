/* x11_close_window.c: asks a window to close the way a window manager does
   (WM_PROTOCOLS / WM_DELETE_WINDOW), without breaking its X connection. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    Display* display = argc == 2 ? XOpenDisplay(NULL) : NULL;
    if (!display) {
        fprintf(stderr, "usage: %s WINDOW_ID (with a display)\n", argv[0]);
        return 2;
    }
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)strtoul(argv[1], NULL, 0);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
