#include "window-size.h"

namespace murlo::gui {

// wxGTK counts the frame in a top-level window's size from the moment the window manager
// reports it, and keeps its own record of that frame; the record is public in its class.
wxSize undecoratedSize(const wxTopLevelWindow& window) {
#ifdef __WXGTK__
  int width = 0;
  int height = 0;
  window.GTKDoGetSize(&width, &height);
  return {width, height};
#else
  return window.GetSize();
#endif
}

wxSize withDecorations(const wxTopLevelWindow& window, const wxSize& undecorated) {
#ifdef __WXGTK__
  const auto& frame = window.m_decorSize;
  return undecorated + wxSize(frame.left + frame.right, frame.top + frame.bottom);
#else
  (void)window;
  return undecorated;
#endif
}

}  // namespace murlo::gui
