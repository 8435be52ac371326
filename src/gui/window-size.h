// The main window's stored size is the size of the window itself, without the frame the
// window manager draws around it. The frame's measure is known only once the window is on
// the screen (and not at all before the first window of a run), so a size that counted it
// would be stored larger than it was restored, and the window would grow at every start.
#pragma once

#include <wx/toplevel.h>

namespace murlo::gui {

// The size of `window` without the window manager's frame.
wxSize undecoratedSize(const wxTopLevelWindow& window);

// The size to give SetSize() so that `window` itself becomes `undecorated` large: the
// window manager's frame as far as it is known now is added.
wxSize withDecorations(const wxTopLevelWindow& window, const wxSize& undecorated);

}  // namespace murlo::gui
