// A Prompter for network tests: records every question and message (worker threads call
// it, so it locks) and gives scripted answers. Unscripted: No, cancel, automatic renaming.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace murlo::test {

class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    std::string text;
    PromptIcon icon;
    PromptButtons buttons;
  };

  PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) override {
    std::lock_guard lock(mutex_);
    messages_.push_back({text, icon, buttons});
    if (buttons == PromptButtons::kOk) return PromptAnswer::kOk;
    return pop(answers_, PromptAnswer::kNo);
  }

  OverwriteChoice confirmOverwrite(const std::string&, const std::string& fileName) override {
    std::lock_guard lock(mutex_);
    overwriteQuestions_.push_back(fileName);
    return pop(choices_, OverwriteChoice::kAutoRenameAll);
  }

  std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override {
    std::lock_guard lock(mutex_);
    dialogTitles_.push_back(request.title);
    return pop(files_, std::optional<std::string>());
  }

  void answer(PromptAnswer a) { std::lock_guard lock(mutex_); answers_.push_back(a); }
  void choose(OverwriteChoice c) { std::lock_guard lock(mutex_); choices_.push_back(c); }
  void giveFile(std::optional<std::string> f) { std::lock_guard lock(mutex_); files_.push_back(std::move(f)); }

  std::vector<Message> messages() { std::lock_guard lock(mutex_); return messages_; }
  std::vector<std::string> overwriteQuestions() { std::lock_guard lock(mutex_); return overwriteQuestions_; }
  std::vector<std::string> dialogTitles() { std::lock_guard lock(mutex_); return dialogTitles_; }

 private:
  template <typename T>
  static T pop(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
  }

  std::mutex mutex_;
  std::vector<Message> messages_;
  std::vector<std::string> overwriteQuestions_;
  std::vector<std::string> dialogTitles_;
  std::deque<PromptAnswer> answers_;
  std::deque<OverwriteChoice> choices_;
  std::deque<std::optional<std::string>> files_;
};

}  // namespace murlo::test
