#include "x-stacking.h"

#include <X11/Xlib.h>

#include <memory>

namespace murlo::test {

int stackingIndex(const std::string& title) {
  std::unique_ptr<Display, int (*)(Display*)> x(XOpenDisplay(nullptr), XCloseDisplay);
  if (!x) return -1;
  const Atom name = XInternAtom(x.get(), "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x.get(), "UTF8_STRING", False);
  auto holds = [&](Window w, auto& self) -> bool {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x.get(), w, name, 0, 256, False, utf8, &type, &format, &count, &after,
                           &data) == Success && data) {
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
