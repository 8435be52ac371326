#include "cli-job-host.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "cli-commands.h"
#include "interrupt-signals.h"
#include "jobs/completion-sound.h"
#include "jobs/progress-figures.h"
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

void CliJobHost::drawProgress(const JobProgress& p) {
  if (!terminal_) return;
  const char* caption = p.caption == JobCaption::kDownloading ? "ダウンロード中"
                        : p.caption == JobCaption::kAnalysing ? "解析中"
                                                              : "終了作業中";
  std::string line =
      std::string(caption) + "  経過 " + formatFigure(p.elapsedSeconds, 0, FigureKind::kTime);
  if (p.download) {
    line += "  " + formatFigure(p.done, p.total, FigureKind::kCount) + "  " +
            formatFigure(p.downloadedBytes, 0, FigureKind::kBytes) + "  " +
            formatFigure(p.bytesPerSecond, 0, FigureKind::kSpeed) + " KB/s  残り " +
            formatFigure(p.remainingBytes, 0, FigureKind::kBytes) + " " +
            formatFigure(p.remainingSeconds, 0, FigureKind::kTime);
  }
  stderrLine().draw(line);
}

void CliJobHost::clearProgress() { stderrLine().clear(); }

}  // namespace murlo::cli
