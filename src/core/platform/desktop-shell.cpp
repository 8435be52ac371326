#include "platform/desktop-shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace murlo {

bool commandOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::stringstream dirs(path);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    std::filesystem::path candidate =
        dir.empty() ? std::filesystem::path(".") : std::filesystem::path(dir);
    candidate /= name;
    if (access(candidate.c_str(), X_OK) == 0) return true;
  }
  return false;
}

bool XdgOpenShell::open(const std::string& target) {
  if (!commandOnPath("xdg-open")) return false;
  std::string program = "xdg-open";
  std::string arg = target;
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  // The opener may take as long as the viewer it starts: the caller (the UI thread) does
  // not wait for it; a thread of its own reaps it, so no zombie is left behind.
  std::thread([pid] {
    int status = 0;
    waitpid(pid, &status, 0);
  }).detach();
  return true;
}

}  // namespace murlo
