// The main window's menus and the tool tips of its tool-bar commands.
#pragma once

#include <wx/menu.h>

namespace murlo::gui {

// The menu bar with every command; `fileMenu` receives the file menu, which carries the
// recent-file list.
wxMenuBar* buildMainMenuBar(wxMenu*& fileMenu);

// The tool tip of a tool-bar command ("" when it has none).
const char* toolTip(int id);

}  // namespace murlo::gui
