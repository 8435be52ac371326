#include "on-screen.h"

#include <wx/display.h>

#include <algorithm>

namespace murlo::gui {

wxPoint keepOnScreen(const wxRect& stored) {
  if (wxDisplay::GetFromPoint(stored.GetTopLeft()) != wxNOT_FOUND) return stored.GetTopLeft();
  const wxRect area = wxDisplay(0u).GetClientArea();
  const int x = std::clamp(stored.x, area.x, std::max(area.x, area.GetRight() + 1 - stored.width));
  const int y =
      std::clamp(stored.y, area.y, std::max(area.y, area.GetBottom() + 1 - stored.height));
  return {x, y};
}

}  // namespace murlo::gui
