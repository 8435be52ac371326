// The JobHost of murlo-cli: runs the same job controllers as the desktop program on a loop
// of its own, prints the output-window lines on standard output and, on a terminal, a
// one-line progress display on standard error.
#pragma once

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "cli-prompter.h"
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
  // `answer`: the reply to every Yes/No question, from --yes or --no; none: ask on the
  // terminal, or answer No without one.
  CliJobHost(std::string appDirectory, std::optional<PromptAnswer> answer);
  ~CliJobHost() override;

  ItemList& list() { return list_; }
  AppSettings& mutableSettings() { return settings_; }

  // Runs the job until it ends or is interrupted; an analysis may chain a download. A first
  // Ctrl+C suspends the running download (stops the running analysis); a second one ends
  // the program at once. Returns false when some item failed or the job was interrupted.
  bool runAnalysis(std::unique_ptr<AnalysisJob> job);
  bool runDownload(std::unique_ptr<DownloadJob> job);

  ItemList& items() override { return list_; }
  const AppSettings& settings() override { return settings_; }
  std::string appDirectory() override { return appDirectory_; }
  Prompter* prompter() override;
  void ShowJobStatus(int kind, int control, std::int64_t first, std::int64_t second) override;
  void SetFrameTitle(const std::string&) override {}
  void writeOutput(int code, const std::string& text) override;
  void playSound(int kind) override;
  bool startDownloadAll() override;
  void wake() override;

 private:
  class AnsweringPrompter;

  bool loop();
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
