#include "cli-job-host.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "cli-commands.h"
#include "interrupt-signals.h"
#include "jobs/completion-sound.h"
#include "progress-line.h"
#include "status-line.h"
#include "stdout-sink.h"

namespace murlo::cli {

CliJobHost::CliJobHost(std::string appDirectory, std::unique_ptr<AnsweringPrompter> prompter)
    : appDirectory_(std::move(appDirectory)),
      settings_(loadSettings(appDirectory_)),
      prompter_(std::move(prompter)),
      terminal_(::isatty(STDERR_FILENO) != 0) {}

CliJobHost::~CliJobHost() = default;

Prompter* CliJobHost::prompter() { return prompter_.get(); }

CliJobHost::Outcome CliJobHost::run() {
  catchInterrupts();
  bool stopped = false;
  while (session_.running()) {
    if (interruptRequested()) {
      session_.stop(/*suspend=*/true);
      stopped = true;
      break;
    }
    session_.tick();
    if (!session_.running()) break;
    drawProgress(session_.progress());
    waitForWake();
  }
  clearProgress();
  releaseInterrupts();
  if (stopped) return Outcome::kInterrupted;
  return session_.failures() == 0 ? Outcome::kSucceeded : Outcome::kSomeFailed;
}

void CliJobHost::waitForWake() {
  // The 500 ms of the desktop program's job timers; a worker's wake-up cuts it short.
  std::unique_lock lock(mutex_);
  woken_.wait_for(lock, std::chrono::milliseconds(500), [this] { return wakePending_; });
  wakePending_ = false;
}

void CliJobHost::wake() {
  {
    std::lock_guard lock(mutex_);
    wakePending_ = true;
  }
  woken_.notify_one();
}

void CliJobHost::writeOutput(OutputEvent event, const std::string& text) {
  clearProgress();
  murlo::writeOutput(stdoutSink(), event, text, settings_.output,
                     (settings_.connection & connection::kOffline) != 0);
}

void CliJobHost::playSound(CompletionSound kind) {
  static const std::unique_ptr<SoundPlayer> player = makeDesktopSoundPlayer();
  murlo::playSound(settings_, kind, *player);
}

void CliJobHost::drawProgress(const JobProgress& progress) {
  if (!terminal_) return;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  rate_.add(std::chrono::duration_cast<std::chrono::milliseconds>(now).count(),
            progress.download ? progress.downloadedBytes : 0);
  stderrLine().draw(progressLineText(progress, rate_.bytesPerSecond()));
}

void CliJobHost::clearProgress() { stderrLine().clear(); }

}  // namespace murlo::cli
