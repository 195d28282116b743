#include "support/window_watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <set>

namespace zrv::test {
namespace {

// Windows vanish while they are looked at; their errors are no reason to end the process.
int ignoreErrors(Display*, XErrorEvent*) {
  return 0;
}

Display* dpy(void* d) {
  return static_cast<Display*>(d);
}

std::string titleOf(Display* d, Window w) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(d, w, &name) && name) title = name;
  if (name) XFree(name);
  return title;
}

bool viewable(Display* d, Window w) {
  XWindowAttributes a;
  return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

// Top-level client windows: children of the root, or of a window manager's frame.
void collectClients(Display* d, Window w, int depth, std::set<Window>& out) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(d, w, &root, &parent, &children, &n)) return;
  for (unsigned int i = 0; i < n; ++i) {
    out.insert(children[i]);
    if (depth < 2) collectClients(d, children[i], depth + 1, out);
  }
  if (children) XFree(children);
}

}  // namespace

WindowWatch::WindowWatch(const std::string& display) {
  XSetErrorHandler(ignoreErrors);
  Display* d = XOpenDisplay(display.c_str());
  if (!d) return;
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XFlush(d);
  display_ = d;
}

WindowWatch::~WindowWatch() {
  if (display_) XCloseDisplay(dpy(display_));
}

unsigned long WindowWatch::waitShown(const std::string& titlePart,
                                     std::chrono::milliseconds timeout) {
  Display* d = dpy(display_);
  if (!d) return 0;
  const auto matches = [&](Window w) {
    return titleOf(d, w).find(titlePart) != std::string::npos && viewable(d, w);
  };
  // Already shown?
  std::set<Window> existing;
  collectClients(d, DefaultRootWindow(d), 0, existing);
  for (Window w : existing) {
    XSelectInput(d, w, StructureNotifyMask | PropertyChangeMask);
    if (matches(w)) return w;
  }
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (true) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      Window w = 0;
      if (e.type == CreateNotify) {
        w = e.xcreatewindow.window;
        XSelectInput(d, w, StructureNotifyMask | PropertyChangeMask);
      } else if (e.type == MapNotify) {
        w = e.xmap.window;
      } else if (e.type == PropertyNotify) {
        w = e.xproperty.window;
      }
      if (w && matches(w)) return w;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return 0;
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    ::poll(&p, 1, static_cast<int>(left.count()));
  }
}

unsigned long WindowWatch::find(const std::string& titlePart) {
  Display* d = dpy(display_);
  if (!d) return 0;
  std::set<Window> clients;
  collectClients(d, DefaultRootWindow(d), 0, clients);
  for (Window w : clients) {
    if (titleOf(d, w).find(titlePart) != std::string::npos) return w;
  }
  return 0;
}

long WindowWatch::wmState(unsigned long window) {
  Display* d = dpy(display_);
  if (!d || !window) return 0;
  const Atom wmStateAtom = XInternAtom(d, "WM_STATE", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long state = 0;
  if (XGetWindowProperty(d, window, wmStateAtom, 0, 2, False, wmStateAtom, &type, &format, &count,
                         &after, &data) == Success &&
      data && format == 32 && count >= 1) {
    state = reinterpret_cast<const long*>(data)[0];
  }
  if (data) XFree(data);
  return state;
}

WindowWatch::Rect WindowWatch::frameRect(unsigned long window) {
  Display* d = dpy(display_);
  XWindowAttributes a;
  if (!d || !XGetWindowAttributes(d, window, &a)) return {};
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
  Rect r{x, y, a.width, a.height};
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
  if (XGetWindowProperty(d, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data && count == 4) {
    const long* e = reinterpret_cast<const long*>(data);  // left, right, top, bottom
    r = Rect{x - static_cast<int>(e[0]), y - static_cast<int>(e[2]),
             a.width + static_cast<int>(e[0] + e[1]), a.height + static_cast<int>(e[2] + e[3])};
  }
  if (data) XFree(data);
  return r;
}

}  // namespace zrv::test
