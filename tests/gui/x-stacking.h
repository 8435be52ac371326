// What the X server knows of the windows on the screen, read straight from it: a window
// manager's decisions are not visible through the toolkit.
#pragma once

#include <string>

namespace murlo::test {

// The place in the X server's stacking order (0 = bottom) of the top-level window titled
// `title`; a window manager's frame counts for the window it holds. -1 when there is none.
int stackingIndex(const std::string& title);

}  // namespace murlo::test
