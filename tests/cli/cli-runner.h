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

// Runs murlo-cli with `args` in the folder `cwd`, with `input` on its standard input.
CliResult runCli(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& input = "");

}  // namespace murlo::test
