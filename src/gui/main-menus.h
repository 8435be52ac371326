// The main window's menus.
#pragma once

#include <wx/menu.h>

namespace murlo::gui {

// The menu bar with every command; `fileMenu` receives the file menu, which carries the
// recent-file list.
wxMenuBar* buildMainMenuBar(wxMenu*& fileMenu);

// Appends a command with its status-bar prompt.
void appendCommand(wxMenu* menu, int id, const char* text, wxItemKind kind = wxITEM_NORMAL);

}  // namespace murlo::gui
