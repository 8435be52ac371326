// The JobHost of murlo-cli: runs the same job controllers as the desktop program on a loop
// of its own, prints the output-window lines on standard output and, on a terminal, a
// one-line progress display on standard error.
#pragma once

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "answering-prompter.h"
#include "items/item-list.h"
#include "jobs/job-host.h"
#include "settings/app-settings.h"

namespace murlo {
class AnalysisJob;
class DownloadJob;
}  // namespace murlo

namespace murlo::cli {

class CliJobHost : public JobHost {
 public:
  // `prompter`: the questions answered by the command line, the rest on the terminal.
  CliJobHost(std::string appDirectory, std::unique_ptr<AnsweringPrompter> prompter);
  ~CliJobHost() override;

  ItemList& list() { return list_; }
  AppSettings& mutableSettings() { return settings_; }

  enum class Outcome { kSucceeded, kSomeFailed, kInterrupted };

  // Runs the job until it ends or is interrupted; an analysis may chain a download. A first
  // Ctrl+C, SIGTERM or SIGHUP suspends the running download (stops the running analysis);
  // a second one ends the program at once.
  Outcome runAnalysis(std::unique_ptr<AnalysisJob> job);
  Outcome runDownload(std::unique_ptr<DownloadJob> job);

  ItemList& items() override { return list_; }
  const AppSettings& settings() override { return settings_; }
  std::string appDirectory() override { return appDirectory_; }
  // For this run: murlo-cli does not rewrite Murlo.ini.
  void setSaveFolder(const std::string& folder) override { settings_.path01 = folder; }
  Prompter* prompter() override;
  void ShowJobStatus(int kind, int control, std::int64_t first, std::int64_t second) override;
  void SetFrameTitle(const std::string&) override {}
  void writeOutput(int code, const std::string& text) override;
  void playSound(int kind) override;
  bool startDownloadAll() override;
  void wake() override;

 private:
  Outcome loop();
  void waitForWake();
  void drawProgress();
  void clearProgress();

  std::string appDirectory_;
  AppSettings settings_;
  ItemList list_;
  std::unique_ptr<AnsweringPrompter> prompter_;
  std::unique_ptr<AnalysisJob> analysis_;
  std::unique_ptr<DownloadJob> download_;
  int failures_ = 0;
  bool progressShown_ = false;
  const bool terminal_;
  std::string caption_;
  std::map<int, std::string> figures_;

  std::mutex mutex_;
  std::condition_variable woken_;
  bool wakePending_ = false;
};

}  // namespace murlo::cli
