// What the X server knows of the windows on the screen, read straight from it: a window
// manager's decisions are not visible through the toolkit.
#pragma once

#include <wx/gdicmn.h>
#include <wx/image.h>

#include <optional>
#include <string>

namespace murlo::test {

// The place in the X server's stacking order (0 = bottom) of the top-level window titled
// `title`; a window manager's frame counts for the window it holds. -1 when there is none.
int stackingIndex(const std::string& title);

// Where the top-level window titled `title` is on the screen, its own window without a window
// manager's frame around it.
std::optional<wxPoint> screenPosition(const std::string& title);

// Asks the top-level window titled `title` to close, as its close box does. False when there
// is no such window.
bool closeWindow(const std::string& title);

// The pixels the screen shows in `area` now. (The toolkit's screen context keeps the first
// picture it took for the rest of the process.)
wxImage grabScreen(const wxRect& area);

}  // namespace murlo::test
