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

int stackingIndex(const std::string& title) {
  DisplayPtr x(XOpenDisplay(nullptr), XCloseDisplay);
  if (!x) return -1;
  const Atom name = XInternAtom(x.get(), "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x.get(), "UTF8_STRING", False);
  auto holds = [&](Window w, auto& self) -> bool {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x.get(), w, name, 0, 256, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
      const bool match = title == reinterpret_cast<char*>(data);
      XFree(data);
      if (match) return true;
    }
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(x.get(), w, &root, &parent, &children, &n)) return false;
    bool found = false;
    for (unsigned int i = 0; i < n && !found; ++i) found = self(children[i], self);
    if (children) XFree(children);
    return found;
  };
  Window root, parent, *top = nullptr;
  unsigned int n = 0;
  XQueryTree(x.get(), DefaultRootWindow(x.get()), &root, &parent, &top, &n);
  int index = -1;
  for (unsigned int i = 0; i < n; ++i) {
    if (holds(top[i], holds)) index = static_cast<int>(i);
  }
  if (top) XFree(top);
  return index;
}

}  // namespace murlo::test
