#include "murlo-app.h"

#include <wx/cmdline.h>

#include <filesystem>

#include "main-frame.h"
#include "murlo-doc.h"
#include "settings/frame-placement.h"

namespace murlo::gui {

void CMurloApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddParam("list file", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CMurloApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (parser.GetParamCount() > 0) listFile_ = std::string(parser.GetParam(0).utf8_str());
  return wxApp::OnCmdLineParsed(parser);
}

bool CMurloApp::OnInit() {
  if (!wxApp::OnInit()) return false;
  SetAppName("Murlo");
  context_.appDirectory = std::filesystem::current_path().string();
  context_.prompter = &prompter_;
  context_.shell = &shell_;
  sound_ = makeDesktopSoundPlayer();
  commands_ = makeProcessRunner();
  shutdown_ = makeSystemShutdown(*commands_);
  context_.sound = sound_.get();
  context_.commands = commands_.get();
  context_.shutdown = shutdown_.get();
  context_.load();
  CMainFrame* frame = startMainWindow(context_, listFile_);
  if (!frame) return false;
  prompter_.setParent(frame);
  return true;
}

int CMurloApp::OnExit() {
  // Placement first, then the settings, in the one file both share.
  context_.save();
  return wxApp::OnExit();
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
  frame->Update();
  return frame;
}

}  // namespace murlo::gui
