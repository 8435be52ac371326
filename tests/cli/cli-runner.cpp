#include "cli-runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "sandbox.h"

namespace murlo::test {

namespace {

constexpr unsigned kCliRunSeconds = 60;

}  // namespace

void execCli(const std::vector<std::string>& args) {
  ::setenv("TZ", "UTC", 1);
  ::setenv("LC_ALL", "C.UTF-8", 1);
  std::string program = MURLO_CLI_PATH;
  std::vector<std::string> copy = args;
  std::vector<char*> argv{program.data()};
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

CliResult runCli(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& input) {
  // Output goes through files: no pipe can fill up and stall the child.
  Sandbox io;
  const std::string inPath = io.write("stdin", input);
  const std::string outPath = io.path("stdout");
  const std::string errPath = io.path("stderr");
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(127);
    const int in = open(inPath.c_str(), O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    // A run that hangs is ended, so that its test fails instead of stalling the suite.
    alarm(kCliRunSeconds);
    execCli(args);
  }
  CliResult result;
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}

}  // namespace murlo::test
