#include "gui-fixture.h"

#include <wx/utils.h>

#include <chrono>
#include <filesystem>

#include "murlo-app.h"
#include "x-screen.h"

namespace murlo::test {

void pumpEvents() {
  // Outside a running loop: window events through wxYield, CallAfter calls through the
  // application's pending-event queue, until neither has anything left.
  for (int round = 0; round < 20; ++round) {
    wxYield();
    if (!wxTheApp->HasPendingEvents()) break;
    wxTheApp->ProcessPendingEvents();
  }
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    wxYield();
    wxMilliSleep(5);
  }
  return true;
}

std::string saveScreenshot(wxWindow* window, const std::string& name) {
  window->Raise();
  window->Refresh();
  return saveScreenshot(window->GetScreenRect(), name);
}

std::string saveScreenshot(const wxRect& r, const std::string& name) {
  // GTK paints on its frame clock: give it a few frames before reading the screen.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  pumpUntil([&] { return std::chrono::steady_clock::now() > until; });
  // Only the part on the screen can be read.
  const wxRect area = r.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
  std::filesystem::create_directories(MURLO_SCREENSHOT_DIR);
  const std::string path = std::string(MURLO_SCREENSHOT_DIR) + "/" + name + ".png";
  grabScreen(area).SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
  return path;
}

std::string fileNames(const ItemList& list) {
  std::string out;
  for (int i = 0; i < list.count(); ++i) out += list.text(i, kColFileName) + ";";
  return out;
}

void GuiTest::SetUp() {
  app_.appDirectory = box_.dir();
  app_.prompter = &prompter_;
  app_.shell = &shell_;
  app_.sound = &desktop_;
  app_.commands = &desktop_;
  app_.shutdown = &desktop_;
  app_.notifier = &notifier_;
}

void GuiTest::TearDown() {
  if (frame_) {
    frame_->Destroy();
    frame_ = nullptr;
  }
  pumpEvents();
}

gui::CMainFrame* GuiTest::startFrame(const std::string& listFile) {
  app_.load();
  frame_ = gui::startMainWindow(app_, listFile);
  pumpEvents();
  return frame_;
}

bool GuiTest::closeFrame() {
  frame_->Close();
  if (!wxPendingDelete.Member(frame_)) return false;
  pumpEvents();
  frame_ = nullptr;
  app_.save();
  return true;
}

void GuiTest::command(int id) {
  wxCommandEvent event(wxEVT_MENU, id);
  event.SetEventObject(frame_);
  frame_->GetEventHandler()->ProcessEvent(event);
}

}  // namespace murlo::test
