#include "logic/window-title.h"

namespace murlo::gui {

std::string windowTitle(const std::string& documentTitle, bool offline) {
  std::string title = documentTitle + " - " + kApplicationTitle;
  if (offline) title += kOfflineMark;
  return title;
}

}  // namespace murlo::gui
