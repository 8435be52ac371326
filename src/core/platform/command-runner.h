// CommandRunner: runs a program and collects its standard output. The desktop actions
// (NetworkManager, systemd) go through it, so tests can put a fake in its place.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace murlo {

struct CommandResult {
  // The exit status; -1 when the program could not be started or was killed.
  int status = -1;
  std::string output;
};

class CommandRunner {
 public:
  virtual ~CommandRunner() = default;
  // Runs argv[0] (searched on PATH) with the arguments and waits for it.
  virtual CommandResult run(const std::vector<std::string>& argv) = 0;
};

std::unique_ptr<CommandRunner> makeProcessRunner();

}  // namespace murlo
