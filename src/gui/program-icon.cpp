#include "program-icon.h"

#include "program-icon-svg.h"

namespace murlo::gui {

wxBitmapBundle programIcon() { return wxBitmapBundle::FromSVG(kProgramIconSvg, wxSize(48, 48)); }

}  // namespace murlo::gui
