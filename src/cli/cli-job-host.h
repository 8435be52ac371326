// The JobHost of murlo-cli: runs the same job controllers as the desktop program on a loop
// of its own, prints the output-window lines on standard output and, on a terminal, a
// one-line progress display on standard error.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "answering-prompter.h"
#include "items/item-list.h"
#include "jobs/job-host.h"
#include "jobs/job-session.h"
#include "progress-line.h"
#include "settings/app-settings.h"

namespace murlo::cli {

class CliJobHost : public JobHost {
 public:
  // `prompter`: the questions answered by the command line, the rest on the terminal.
  CliJobHost(std::string appDirectory, std::unique_ptr<AnsweringPrompter> prompter);
  ~CliJobHost() override;

  ItemList& list() { return list_; }
  AppSettings& mutableSettings() { return settings_; }
  // The cookies every job of the run shares; none: no cookies.
  void shareCookies(std::shared_ptr<CookieJar> jar) { cookies_ = std::move(jar); }
  // Its jobs are started here, then run().
  JobSession& session() { return session_; }

  enum class Outcome { kSucceeded, kSomeFailed, kInterrupted };

  // Runs the session's jobs until they end or are interrupted. A first Ctrl+C, SIGTERM or
  // SIGHUP suspends the running download (stops the running analysis); a second one ends
  // the program at once.
  Outcome run();

  ItemList& items() override { return list_; }
  const AppSettings& settings() override { return settings_; }
  std::string appDirectory() override { return appDirectory_; }
  // For this run: murlo-cli does not rewrite Murlo.ini.
  void setSaveFolder(const std::string& folder) override { settings_.path01 = folder; }
  Prompter* prompter() override;
  void SetFrameTitle(const std::string&) override {}
  void writeOutput(OutputEvent event, const std::string& text) override;
  void playSound(CompletionSound kind) override;
  void endProgress() override { clearProgress(); }
  void wake() override;
  std::shared_ptr<CookieJar> sharedCookies() override { return cookies_; }

 private:
  void waitForWake();
  void drawProgress(const JobProgress& progress);
  void clearProgress();

  std::string appDirectory_;
  AppSettings settings_;
  ItemList list_;
  std::unique_ptr<AnsweringPrompter> prompter_;
  std::shared_ptr<CookieJar> cookies_;
  const bool terminal_;
  TransferRate rate_;

  std::mutex mutex_;
  std::condition_variable woken_;
  bool wakePending_ = false;
  // Last: its jobs, stopped when it goes, still report to this host.
  JobSession session_{*this};
};

}  // namespace murlo::cli
