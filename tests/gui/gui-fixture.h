// A main window over a temporary application directory, with a recording prompter and a
// desktop shell that records what it was asked to open.
#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>

#include <functional>
#include <memory>

#include "app-context.h"
#include "dialog-driver.h"
#include "main-frame.h"
#include "murlo-doc.h"
#include "murlo-view.h"
#include "sandbox.h"
#include "scripted-prompter.h"

namespace murlo::test {

class RecordingShell : public DesktopShell {
 public:
  bool open(const std::string& target) override {
    opened.push_back(target);
    return available;
  }
  std::vector<std::string> opened;
  bool available = true;
};

// The end-of-job actions, recorded into one list of events instead of making noise,
// hanging up or powering off: "sound <file>", "nmcli ...", "poweroff".
struct RecordingDesktop : SoundPlayer, CommandRunner, SystemShutdown {
  void play(const std::string& file) override { events.push_back("sound " + file); }
  CommandResult run(const std::vector<std::string>& argv) override {
    std::string line;
    for (const std::string& a : argv) line += (line.empty() ? "" : " ") + a;
    events.push_back(line);
    // One active dial-up connection.
    return {0, "Mobile:1234-abcd:gsm\n"};
  }
  void powerOff() override { events.push_back("poweroff"); }
  std::vector<std::string> events;
};

// Waits until `window` has been painted anew and its picture is on the screen.
void awaitPainted(wxWindow* window);
// Saves what `window` shows on the screen, once painted, as a PNG under the build's
// screenshots folder and returns the file's path.
std::string saveScreenshot(wxWindow* window, const std::string& name);
// The same for an area of the screen, whatever windows it shows.
std::string saveScreenshot(const wxRect& area, const std::string& name);

// The file names of the list's rows, each followed by ";".
std::string fileNames(const ItemList& list);

// Runs pending events until `done` holds or the time runs out.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void pumpEvents();

// driveModal for a `use` that needs no driver.
template <typename Dlg>
bool driveModal(const std::function<void()>& open, const std::function<void(Dlg&)>& use) {
  return driveModal<Dlg>(open, std::function<void(Dlg&, DialogDriver&)>(
                                   [&use](Dlg& dlg, DialogDriver&) { use(dlg); }));
}

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the main window from the Murlo.ini now in the sandbox.
  gui::CMainFrame* startFrame(const std::string& listFile = "");
  // Closes the window as the user would and writes Murlo.ini as the program's exit does.
  // Returns false when the window refused to close.
  bool closeFrame();
  // Sends a menu command to the main window.
  void command(int id);

  ItemList& items() { return frame_->doc()->items(); }
  std::string names() { return fileNames(items()); }

  Sandbox box_;
  ScriptedPrompter prompter_;
  RecordingShell shell_;
  RecordingDesktop desktop_;
  gui::AppContext app_;
  gui::CMainFrame* frame_ = nullptr;
};

// A test that starts with the main window open over the sandbox.
class FrameTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(startFrame());
  }
};

}  // namespace murlo::test
