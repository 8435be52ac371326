#include "gui-fixture.h"

#include <X11/Xlib.h>
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

namespace {

// Notes a window's paint events.
struct PaintWatch : wxEvtHandler {
  bool painted = false;
  void onPaint(wxPaintEvent& event) {
    painted = true;
    event.Skip();
  }
};

std::string saveScreenArea(const wxRect& r, const std::string& name) {
  // Only the part on the screen can be read.
  const wxRect area = r.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
  std::filesystem::create_directories(MURLO_SCREENSHOT_DIR);
  const std::string path = std::string(MURLO_SCREENSHOT_DIR) + "/" + name + ".png";
  grabScreen(area).SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
  return path;
}

// Binds or unbinds `watch` for the paint events of `window` and of every window inside it.
void watchPaints(wxWindow* window, PaintWatch& watch, bool on) {
  if (on) {
    window->Bind(wxEVT_PAINT, &PaintWatch::onPaint, &watch);
  } else {
    window->Unbind(wxEVT_PAINT, &PaintWatch::onPaint, &watch);
  }
  for (wxWindow* child : window->GetChildren()) watchPaints(child, watch, on);
}

}  // namespace

void awaitPainted(wxWindow* window) {
  // A window covered by its children (a frame under its bars and panes) gets no paint event
  // of its own: any window inside it tells that it is being drawn.
  PaintWatch watch;
  watchPaints(window, watch, true);
  window->Refresh();
  pumpUntil([&] { return watch.painted; });
  watchPaints(window, watch, false);
  // The toolkit draws all of a top-level window in one frame, which ends once the events
  // are handled; its drawing then reaches the X server before the screen is read through
  // another connection.
  pumpEvents();
  XSync(wxGetX11Display(), False);
}

std::string saveScreenshot(wxWindow* window, const std::string& name) {
  window->Raise();
  awaitPainted(window);
  return saveScreenArea(window->GetScreenRect(), name);
}

std::string saveScreenshot(const wxRect& r, const std::string& name) {
  // Windows of other programs: give the toolkit a few frames to paint before reading.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  pumpUntil([&] { return std::chrono::steady_clock::now() > until; });
  return saveScreenArea(r, name);
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
