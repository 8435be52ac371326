#include "murlo-app.h"

#include <wx/clipbrd.h>
#include <wx/cmdline.h>
#include <wx/log.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "main-frame.h"
#include "murlo-doc.h"
#include "settings/frame-placement.h"

namespace murlo::gui {

void CMurloApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddSwitch("", "user-data-folder",
                   "use the user's data folder (XDG_DATA_HOME/murlo) instead of the current one");
  parser.AddParam("list file", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CMurloApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (parser.GetParamCount() > 0) listFile_ = std::string(parser.GetParam(0).utf8_str());
  useDataFolder_ = parser.Found("user-data-folder");
  return wxApp::OnCmdLineParsed(parser);
}

bool CMurloApp::OnInit() {
  if (!wxApp::OnInit()) return false;
  SetAppName("Murlo");
  useUserLocale(locale_);
  if (useDataFolder_) {
    // Started from the desktop: the settings and logs live in the user's data folder, not
    // in whatever folder the desktop started us in. A list file given relative to the
    // start folder is made absolute first.
    if (!listFile_.empty()) listFile_ = std::filesystem::absolute(listFile_).string();
    std::error_code ec;
    const std::filesystem::path data = userDataFolder();
    std::filesystem::create_directories(data, ec);
    std::filesystem::current_path(data, ec);
  }
  context_.appDirectory = std::filesystem::current_path().string();
  context_.prompter = &prompter_;
  context_.shell = &shell_;
  sound_ = makeDesktopSoundPlayer();
  commands_ = makeProcessRunner();
  shutdown_ = makeSystemShutdown(*commands_);
  context_.sound = sound_.get();
  context_.commands = commands_.get();
  context_.shutdown = shutdown_.get();
  context_.notifier = &notifier_;
  const std::string settingsProblem = context_.load();
  CMainFrame* frame = startMainWindow(context_, listFile_);
  if (!frame) return false;
  prompter_.setParent(frame);
  notifier_.setParent(frame);
  if (!settingsProblem.empty()) {
    prompter_.message(settingsProblem, PromptIcon::kExclamation, PromptButtons::kOk);
  }
  return true;
}

int CMurloApp::OnExit() {
  // An address copied to the clipboard stays there after the program has gone: the
  // desktop's clipboard manager takes it over.
  if (wxTheClipboard->Open()) {
    wxTheClipboard->Flush();
    wxTheClipboard->Close();
  }
  // Placement first, then the settings, in the one file both share.
  context_.save();
  return wxApp::OnExit();
}

void useUserLocale(wxLocale& locale) {
  {
    // A locale the system lacks leaves the toolkit in English; that is no error to show.
    wxLogNull quiet;
    locale.Init(wxLANGUAGE_DEFAULT);
  }
  std::setlocale(LC_NUMERIC, "C");
}

std::string userDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/murlo";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.local/share/murlo";
}

CMainFrame* startMainWindow(AppContext& context, const std::string& listFile) {
  auto* frame = new CMainFrame(context);
  if (!listFile.empty() && !frame->doc()->openPath(listFile)) {
    frame->Destroy();
    return nullptr;
  }
  switch (context.placement.show) {
    case kShowMaximized: frame->Maximize(); break;
    case kShowMinimized: frame->Iconize(); break;
    default: break;
  }
  frame->Show();
  frame->floatStoredBars();
  frame->Update();
  return frame;
}

}  // namespace murlo::gui
