// Windows as the desktop of run-on-desktop.sh shows them: the program itself started and
// closed as a user does (the window manager's frame is known to a process only after its
// first window is on the screen, which a test inside this process cannot see again), and
// what the wizard's pages leave on the screen.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/msgdlg.h>

// The generic message box builds on the declarations of wx/msgdlg.h.
#include <wx/generic/msgdlgg.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>

#include "command-ids.h"
#include "gui-fixture.h"
#include "gui-prompter.h"
#include "logic/window-title.h"
#include "settings/ini-file.h"
#include "wizard-user.h"
#include "wizard/wiz-address-page.h"
#include "wizard/wizard.h"
#include "x-screen.h"

namespace murlo::test {
namespace {

const std::string kTitle = gui::windowTitle(gui::kDocumentTitle, false);

// Starts the program in `folder`, which holds its Murlo.ini, lets the window manager frame
// its window and closes it with the close box. False when it did not start or end.
bool runProgramOnce(const std::string& folder) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) == 0)
      execl(MURLO_PROGRAM, MURLO_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid < 0) return false;
  int status = 0;
  const auto ended = [&] { return waitpid(pid, &status, WNOHANG) == pid; };
  bool closed = pumpUntil([] { return screenPosition(kTitle).has_value(); }, 10000);
  // Time for the window manager's report of its frame to reach the program.
  pumpUntil([] { return false; }, 700);
  closed = closed && closeWindow(kTitle) && pumpUntil(ended, 10000);
  if (!closed) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  return closed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(DesktopProgram, TheWindowKeepsItsPlaceAndSizeFromOneStartToTheNext) {
  Sandbox box;
  box.write("Murlo.ini",
            "[MainFrame]\r\nPoint_X=200\r\nPoint_Y=120\r\nSize_CX=700\r\nSize_CY=500\r\n");
  for (int run = 1; run <= 3; ++run) {
    ASSERT_TRUE(runProgramOnce(box.dir())) << "run " << run;
    const IniFile ini = IniFile::load(box.path("Murlo.ini"));
    std::string placement;
    for (const char* key : {"Point_X", "Point_Y", "Size_CX", "Size_CY"})
      placement += std::to_string(ini.getInt("MainFrame", key, -1)) + " ";
    EXPECT_EQ(placement, "200 120 700 500 ") << "run " << run;
  }
}

// The pixels of `shot` (the page's area of the screen) that lie outside the page's controls
// and differ from its plain background, as its bottom right corner shows it.
int strayPixels(const wxImage& shot, const wxWindow& page) {
  const auto at = [&](int x, int y) {
    const int i = (y * shot.GetWidth() + x) * 3;
    return std::make_tuple(shot.GetData()[i], shot.GetData()[i + 1], shot.GetData()[i + 2]);
  };
  const auto background = at(shot.GetWidth() - 1, shot.GetHeight() - 1);
  int stray = 0;
  for (int y = 0; y < shot.GetHeight(); ++y) {
    for (int x = 0; x < shot.GetWidth(); ++x) {
      bool onControl = false;
      for (const wxWindow* c : page.GetChildren())
        onControl = onControl || (c->IsShown() && c->GetRect().Contains(x, y));
      if (!onControl && at(x, y) != background) ++stray;
    }
  }
  return stray;
}

class DesktopWizard : public GuiTest {};

TEST_F(DesktopWizard, TheSummaryPageIsPaintedOverThePageBeforeIt) {
  std::filesystem::create_directory(box_.path("dl"));
  ASSERT_TRUE(startFrame());
  ASSERT_TRUE(driveModal<gui::CWizard>(
      [&] { command(gui::ID_WIZARD); },
      [&](gui::CWizard& wizard) {
        WizardUser user{wizard};
        user.choose("ｻｲｽﾞの大きなﾌｧｲﾙをﾀﾞｳﾝﾛｰﾄﾞする(&S)");
        user.next();
        user.type(gui::CWizAddressPage::kFolderId, box_.path("dl"));
        user.type(gui::CWizAddressPage::kAddressId, "http://h.jp/files/big.bin");
        pumpUntil([] { return false; }, 400);
        user.next();
        ASSERT_EQ(user.page(), gui::wizard::WizardPage::kSummary);
        wxWindow* summary = wizard.GetCurrentPage();
        pumpUntil([] { return false; }, 600);
        const wxImage shot = grabScreen(summary->GetScreenRect());
        ASSERT_TRUE(shot.IsOk());
        EXPECT_EQ(strayPixels(shot, *summary), 0);
        // A message box over the page, closed again.
        EXPECT_TRUE(driveModal<wxGenericMessageDialog>(
            [&] {
              gui::showMessageBox(&wizard, "保存先のﾌｫﾙﾀﾞが指定されていません",
                                  PromptIcon::kInformation, PromptButtons::kOk);
            },
            [](wxGenericMessageDialog&) { pumpUntil([] { return false; }, 400); }));
        pumpUntil([] { return false; }, 600);
        EXPECT_EQ(strayPixels(grabScreen(summary->GetScreenRect()), *summary), 0);
        std::printf("screenshot: %s\n", saveScreenshot(&wizard, "wizard-summary").c_str());
      }));
}

}  // namespace
}  // namespace murlo::test
