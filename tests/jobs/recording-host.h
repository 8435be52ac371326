// A JobHost for controller tests: a real item list and settings over a sandbox, a scripted
// prompter, and a record of everything the job reports. run() drives a job as the GUI does:
// a tick every 500 ms, and at once after a wake-up.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "items/item-list.h"
#include "jobs/job-host.h"
#include "jobs/job-outcome.h"
#include "scripted-prompter.h"
#include "settings/app-settings.h"

namespace murlo::test {

class RecordingHost : public JobHost {
 public:
  struct Output {
    OutputEvent code;
    std::string text;
  };

  explicit RecordingHost(std::string appDirectory) : appDirectory_(std::move(appDirectory)) {}

  ItemList& items() override { return list; }
  const AppSettings& settings() override { return settingsValue; }
  std::string appDirectory() override { return appDirectory_; }
  void setSaveFolder(const std::string& folder) override { settingsValue.path01 = folder; }
  Prompter* prompter() override { return prompterOverride ? prompterOverride : &prompterValue; }
  void SetFrameTitle(const std::string& title) override { titles.push_back(title); }
  void writeOutput(OutputEvent event, const std::string& text) override {
    outputs.push_back({event, text});
    if (onOutput) onOutput(event);
  }
  void playSound(CompletionSound kind) override { sounds.push_back(kind); }
  void endProgress() override { ++progressEnds; }
  void jobEnded(const JobOutcome& outcome) override {
    endings.push_back(jobOutcomeTitle(outcome) + ": " + jobOutcomeText(outcome));
  }
  std::chrono::milliseconds stopPatience() const override { return stopPatienceValue; }
  void wake() override {
    ++totalWakes;
    {
      std::lock_guard lock(mutex_);
      ++wakes_;
    }
    woken_.notify_one();
  }

  // Starts `job` and ticks it until it reports the end; false when it was still working
  // after `deadline`.
  template <typename Job>
  bool runJob(Job& job, std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    job.start();
    return run([&job] { return job.timerTick(); }, deadline);
  }
  // Ticks `tick` (a job's timerTick) until it reports the end; false when the job was still
  // working after `deadline`.
  bool run(const std::function<bool()>& tick,
           std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (tick()) {
      if (std::chrono::steady_clock::now() >= end) return false;
      std::unique_lock lock(mutex_);
      woken_.wait_for(lock, std::chrono::milliseconds(500), [this] { return wakes_ > 0; });
      wakes_ = 0;
    }
    return true;
  }

  std::vector<OutputEvent> outputCodes() const {
    std::vector<OutputEvent> codes;
    for (const auto& o : outputs) codes.push_back(o.code);
    return codes;
  }

  ItemList list;
  AppSettings settingsValue;
  ScriptedPrompter prompterValue;
  Prompter* prompterOverride = nullptr;
  std::vector<std::string> titles;
  std::vector<Output> outputs;
  std::vector<CompletionSound> sounds;
  int progressEnds = 0;
  // "<title>: <text>" of every job that ran to its end.
  std::vector<std::string> endings;
  // The stop wait before a give-up: the real one unless a test shortens it.
  std::chrono::milliseconds stopPatienceValue = kStopPatience;
  std::function<void(const OutputEvent&)> onOutput;
  std::atomic<int> totalWakes{0};

 private:
  std::string appDirectory_;
  std::mutex mutex_;
  std::condition_variable woken_;
  int wakes_ = 0;
};

}  // namespace murlo::test
