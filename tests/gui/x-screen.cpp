#include "x-screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace murlo::test {

namespace {

using DisplayPtr = std::unique_ptr<Display, int (*)(Display*)>;

// The value of a colour channel of `pixel` under `mask`, scaled to 0..255.
unsigned char channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const unsigned long max = mask >> shift;
  return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

wxImage grabScreen(const wxRect& area) {
  DisplayPtr x(XOpenDisplay(nullptr), XCloseDisplay);
  if (!x) return wxImage();
  XImage* shot = XGetImage(x.get(), DefaultRootWindow(x.get()), area.x, area.y, area.width,
                           area.height, AllPlanes, ZPixmap);
  if (!shot) return wxImage();
  wxImage image(area.width, area.height);
  for (int py = 0; py < area.height; ++py) {
    for (int px = 0; px < area.width; ++px) {
      const unsigned long pixel = XGetPixel(shot, px, py);
      image.SetRGB(px, py, channel(pixel, shot->red_mask), channel(pixel, shot->green_mask),
                   channel(pixel, shot->blue_mask));
    }
  }
  XDestroyImage(shot);
  return image;
}

namespace {

// The window titled `title` at or under `w`; 0 when there is none.
Window findTitled(Display* x, Window w, const std::string& title) {
  const Atom name = XInternAtom(x, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x, w, name, 0, 256, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data) {
    const bool match = title == reinterpret_cast<char*>(data);
    XFree(data);
    if (match) return w;
  }
  Window root, parent, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(x, w, &root, &parent, &children, &n)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < n && !found; ++i) found = findTitled(x, children[i], title);
  if (children) XFree(children);
  return found;
}

}  // namespace

int stackingIndex(const std::string& title) {
  DisplayPtr x(XOpenDisplay(nullptr), XCloseDisplay);
  if (!x) return -1;
  Window root, parent, *top = nullptr;
  unsigned int n = 0;
  XQueryTree(x.get(), DefaultRootWindow(x.get()), &root, &parent, &top, &n);
  int index = -1;
  for (unsigned int i = 0; i < n; ++i) {
    if (findTitled(x.get(), top[i], title)) index = static_cast<int>(i);
  }
  if (top) XFree(top);
  return index;
}

std::optional<wxPoint> screenPosition(const std::string& title) {
  DisplayPtr x(XOpenDisplay(nullptr), XCloseDisplay);
  if (!x) return std::nullopt;
  const Window root = DefaultRootWindow(x.get());
  const Window w = findTitled(x.get(), root, title);
  int px = 0, py = 0;
  Window child;
  if (!w || !XTranslateCoordinates(x.get(), w, root, 0, 0, &px, &py, &child)) return std::nullopt;
  return wxPoint(px, py);
}

bool closeWindow(const std::string& title) {
  DisplayPtr x(XOpenDisplay(nullptr), XCloseDisplay);
  if (!x) return false;
  const Window w = findTitled(x.get(), DefaultRootWindow(x.get()), title);
  if (!w) return false;
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = w;
  close.xclient.message_type = XInternAtom(x.get(), "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(x.get(), "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(x.get(), w, False, NoEventMask, &close);
  XFlush(x.get());
  return true;
}

}  // namespace murlo::test
