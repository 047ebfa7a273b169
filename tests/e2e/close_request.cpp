// Asks an X11 window to close the way a window manager's close button does (WM_DELETE_WINDOW).
#include <cstdio>
#include <cstdlib>

#include <X11/Xlib.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW_ID\n", argv[0]);
    return 2;
  }
  Display* x = XOpenDisplay(nullptr);
  if (x == nullptr) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 1;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(x, window, False, NoEventMask, &event);
  XSync(x, False);
  XCloseDisplay(x);
  return sent != 0 ? 0 : 1;
}
