// Runs murlo-cli as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace murlo::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// In a forked child: becomes murlo-cli with `args`, with the time zone and locale pinned so
// that what it prints does not depend on the machine; exits with 127 when it cannot.
[[noreturn]] void execCli(const std::vector<std::string>& args);

// Runs murlo-cli with `args` in the folder `cwd`, with `input` on its standard input. A run
// still going after a minute is ended by SIGALRM (exit code 128 + 14).
CliResult runCli(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& input = "");

}  // namespace murlo::test
