// CMurloApp: starts the program in the current folder, whose Murlo.ini it uses.
#pragma once

#include <wx/app.h>
#include <wx/intl.h>

#include <memory>

#include "app-context.h"
#include "gui-prompter.h"
#include "toolkit-notifier.h"

namespace murlo::gui {

class CMainFrame;

class CMurloApp : public wxApp {
 public:
  bool OnInit() override;
  int OnExit() override;
  void OnInitCmdLine(wxCmdLineParser& parser) override;
  bool OnCmdLineParsed(wxCmdLineParser& parser) override;

 private:
  // The user's locale, so the toolkit's own texts (はい/いいえ, キャンセル, the file
  // chooser) follow it.
  wxLocale locale_;
  AppContext context_;
  GuiPrompter prompter_;
  XdgOpenShell shell_;
  ToolkitNotifier notifier_;
  std::unique_ptr<SoundPlayer> sound_;
  std::unique_ptr<CommandRunner> commands_;
  std::unique_ptr<SystemShutdown> shutdown_;
  std::string listFile_;
  bool useDataFolder_ = false;
};

// Sets up `locale` as the user's, so the toolkit's own texts follow it; numbers the program
// formats itself keep "." as the decimal point. A locale the system lacks is no error.
void useUserLocale(wxLocale& locale);

// $XDG_DATA_HOME/murlo, or ~/.local/share/murlo when that is not set.
std::string userDataFolder();

// Builds and shows the main window for `context` (used by the application and by tests).
// Returns nullptr when a list file given on the command line could not be opened.
CMainFrame* startMainWindow(AppContext& context, const std::string& listFile);

}  // namespace murlo::gui
