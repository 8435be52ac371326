// The program itself, started and closed as a user does on the desktop of
// run-on-desktop.sh: the window manager's frame is known to a process only after its first
// window is on the screen, which a test inside this process cannot see again.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "gui-fixture.h"
#include "logic/window-title.h"
#include "settings/ini-file.h"
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

}  // namespace
}  // namespace murlo::test
