// The help texts of the main window's commands: the prompt the status bar shows while the
// pointer is over a menu item or tool-bar button, and the button's tool tip.
#pragma once

namespace murlo::gui {

struct CommandHelp {
  const char* prompt;  // fly-by text for the status bar's first pane ("" when none)
  const char* tip;     // tool tip of the tool-bar button ("" when none)
};

CommandHelp commandHelp(int id);

}  // namespace murlo::gui
