// The program's own icon, drawn from the SVG compiled into the program.
#pragma once

#include <wx/bmpbndl.h>

namespace murlo::gui {

wxBitmapBundle programIcon();

}  // namespace murlo::gui
