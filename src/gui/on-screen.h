// Stored window positions are used as they are while they lie on a screen; one left on a
// screen that is gone (or a bad value in Murlo.ini) brings the window back where it can be
// seen and grabbed.
#pragma once

#include <wx/gdicmn.h>

namespace murlo::gui {

// The position for a window of `stored` rectangle: unchanged when its top-left corner is
// on a screen, else moved into the first screen's work area.
wxPoint keepOnScreen(const wxRect& stored);

}  // namespace murlo::gui
