// A Prompter for tests: records every question, message and file dialog (worker threads
// call it, so it locks) and gives scripted answers. Unscripted: No, cancel, automatic
// renaming.
#pragma once

#include <deque>
#include <functional>
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
    {
      std::lock_guard lock(mutex_);
      messages_.push_back({text, icon, buttons});
    }
    // A modal box lets timers tick while it is open; a test can act in that time.
    if (whileShown) whileShown(Message{text, icon, buttons});
    std::lock_guard lock(mutex_);
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
    fileDialogs_.push_back(request);
    return pop(files_, std::optional<std::string>());
  }

  void answer(PromptAnswer a) {
    std::lock_guard lock(mutex_);
    answers_.push_back(a);
  }
  void choose(OverwriteChoice c) {
    std::lock_guard lock(mutex_);
    choices_.push_back(c);
  }
  void giveFile(std::optional<std::string> f) {
    std::lock_guard lock(mutex_);
    files_.push_back(std::move(f));
  }

  std::vector<Message> messages() {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<std::string> overwriteQuestions() {
    std::lock_guard lock(mutex_);
    return overwriteQuestions_;
  }
  std::vector<FileDialogRequest> fileDialogs() {
    std::lock_guard lock(mutex_);
    return fileDialogs_;
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const Message& m : messages()) out.push_back(m.text);
    return out;
  }
  std::vector<std::string> dialogTitles() {
    std::vector<std::string> titles;
    for (const FileDialogRequest& r : fileDialogs()) titles.push_back(r.title);
    return titles;
  }

  // Set by the test before the prompter is used; runs on the asking thread.
  std::function<void(const Message&)> whileShown;

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
  std::vector<FileDialogRequest> fileDialogs_;
  std::deque<PromptAnswer> answers_;
  std::deque<OverwriteChoice> choices_;
  std::deque<std::optional<std::string>> files_;
};

}  // namespace murlo::test
