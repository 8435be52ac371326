#include "cli-job-host.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "jobs/analysis-job.h"
#include "jobs/completion-sound.h"
#include "jobs/download-job.h"
#include "jobs/progress-figures.h"
#include "jobs/write-output.h"
#include "net/result-codes.h"
#include "terminal-output.h"

namespace murlo::cli {

namespace {

volatile sig_atomic_t interrupted = 0;

// The signals that suspend a job: Ctrl+C, a polite kill, a closed terminal.
constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The first signal is noted for the loop; a second one, of any of the kinds, gets its
// default effect, which ends the program at once.
extern "C" void onInterrupt(int signalNumber) {
  if (interrupted) {
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);  // delivered as soon as this handler returns
    return;
  }
  interrupted = 1;
}

void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  for (const int signalNumber : kInterruptSignals) sigaction(signalNumber, &action, nullptr);
}

void releaseInterrupts() {
  for (const int signalNumber : kInterruptSignals) ::signal(signalNumber, SIG_DFL);
}

// The output window's lines on standard output: each "\r\n" starts a new line.
class StdoutSink : public OutputSink {
 public:
  void append(const std::string& text) override {
    // Lines quote addresses: their texts are shown as the terminal can, never raw.
    std::string out;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "\r\n") == 0) {
        out += showItemText(line);
        line.clear();
        if (started_) out += '\n';
        started_ = true;
        ++i;
      } else {
        line += text[i];
      }
    }
    out += showItemText(line);
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
  }
  // A terminal's scrolled-out lines cannot be cleared; the log simply goes on.
  void resetToBanner() override {}
  // Ends the last line.
  void close() {
    if (started_) std::fputc('\n', stdout);
    started_ = false;
  }

 private:
  bool started_ = false;
};

StdoutSink& stdoutSink() {
  static StdoutSink sink;
  return sink;
}

bool isFailure(int code) { return code != RESULT_SUCCEED && code != OUT_ANALYZE && code != OUT_DOWNLOAD; }

}  // namespace

CliJobHost::CliJobHost(std::string appDirectory, std::unique_ptr<AnsweringPrompter> prompter)
    : appDirectory_(std::move(appDirectory)),
      settings_(LoadSettings(settingsPath(appDirectory_), appDirectory_)),
      prompter_(std::move(prompter)),
      terminal_(::isatty(STDERR_FILENO) != 0) {}

CliJobHost::~CliJobHost() = default;

Prompter* CliJobHost::prompter() { return prompter_.get(); }

CliJobHost::Outcome CliJobHost::runAnalysis(std::unique_ptr<AnalysisJob> job) {
  analysis_ = std::move(job);
  catchInterrupts();
  analysis_->start();
  return loop();
}

CliJobHost::Outcome CliJobHost::runDownload(std::unique_ptr<DownloadJob> job) {
  download_ = std::move(job);
  catchInterrupts();
  download_->start();
  return loop();
}

CliJobHost::Outcome CliJobHost::loop() {
  bool stopped = false;
  while (analysis_ || download_) {
    if (interrupted) {
      if (download_) {
        download_->suspend();
      } else {
        analysis_->stop();
      }
      download_.reset();
      analysis_.reset();
      stopped = true;
      break;
    }
    if (analysis_ && !analysis_->timerTick()) {
      analysis_.reset();
      playSound(sound::kAnalysis);
      continue;
    }
    if (download_ && !download_->timerTick()) {
      download_.reset();
      playSound(sound::kDownload);
      continue;
    }
    waitForWake();
  }
  clearProgress();
  stdoutSink().close();
  releaseInterrupts();
  if (stopped) return Outcome::kInterrupted;
  return failures_ == 0 ? Outcome::kSucceeded : Outcome::kSomeFailed;
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

void CliJobHost::writeOutput(int code, const std::string& text) {
  if (isFailure(code)) ++failures_;
  clearProgress();
  murlo::writeOutput(stdoutSink(), code, text, settings_.output,
                     (settings_.connection & connection::kOffline) != 0);
}

void CliJobHost::playSound(int kind) {
  static const std::unique_ptr<SoundPlayer> player = makeDesktopSoundPlayer();
  murlo::playSound(settings_, kind, *player);
}

bool CliJobHost::startDownloadAll() {
  if (list_.count() == 0) return false;
  download_ = std::make_unique<DownloadJob>(*this, DownloadMode::kAll);
  download_->start();
  return true;
}

void CliJobHost::ShowJobStatus(int kind, int control, std::int64_t first, std::int64_t second) {
  switch (kind) {
    case kStatusDownloading: caption_ = "ダウンロード中"; break;
    case kStatusAnalysing: caption_ = "解析中"; return;
    case kStatusFinishing: caption_ = "終了作業中"; break;
    default:
      figures_[control] = formatFigure(first, second, kind);
      // The count comes last in a download's figures, the elapsed time alone in an analysis's.
      if (control == kControlCount || (control == kControlElapsed && !download_)) drawProgress();
      return;
  }
  if (control == 0) figures_.clear();
}

void CliJobHost::drawProgress() {
  if (!terminal_) return;
  const auto figure = [this](int control) {
    const auto it = figures_.find(control);
    return it == figures_.end() ? std::string("*") : it->second;
  };
  std::string line = "\r" + caption_ + "  経過 " + figure(kControlElapsed);
  if (download_) {
    line += "  " + figure(kControlCount) + "  " + figure(kControlDownloaded) + "  " +
            figure(kControlSpeed) + " KB/s  残り " + figure(kControlRemainingBytes) + " " +
            figure(kControlRemainingTime);
  }
  std::fputs((line + "\x1b[K").c_str(), stderr);
  std::fflush(stderr);
  progressShown_ = true;
}

void CliJobHost::clearProgress() {
  if (!progressShown_) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  progressShown_ = false;
}

}  // namespace murlo::cli
