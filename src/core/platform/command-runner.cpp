#include "platform/command-runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace murlo {

namespace {

class ProcessRunner : public CommandRunner {
 public:
  CommandResult run(const std::vector<std::string>& argv) override {
    CommandResult result;
    int pipeFds[2];
    if (argv.empty() || ::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned == 0) {
      char buffer[4096];
      ssize_t n;
      while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) result.output.append(buffer, static_cast<std::size_t>(n));
      }
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
      if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    }
    ::close(pipeFds[0]);
    return result;
  }
};

}  // namespace

std::unique_ptr<CommandRunner> makeProcessRunner() { return std::make_unique<ProcessRunner>(); }

}  // namespace murlo
