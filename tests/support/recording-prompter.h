// A Prompter for tests: records every message and gives scripted answers (No, cancel and
// automatic renaming when nothing is scripted).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace murlo::test {

class RecordingPrompter : public Prompter {
 public:
  struct Message {
    std::string text;
    PromptIcon icon;
    PromptButtons buttons;
  };

  PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) override {
    messages.push_back({text, icon, buttons});
    if (whileShown) whileShown(messages.back());
    if (buttons == PromptButtons::kOk) return PromptAnswer::kOk;
    if (answers.empty()) return PromptAnswer::kNo;
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  OverwriteChoice confirmOverwrite(const std::string&, const std::string&) override {
    return OverwriteChoice::kAutoRenameAll;
  }

  std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    if (files.empty()) return std::nullopt;
    std::optional<std::string> answer = files.front();
    files.pop_front();
    return answer;
  }

  std::vector<Message> messages;
  std::deque<PromptAnswer> answers;  // for Yes/No questions, in order
  std::vector<FileDialogRequest> fileDialogs;
  std::deque<std::optional<std::string>> files;  // file dialog answers; none: cancel
  // Runs while a message is "open", before it is answered (a modal box lets timers tick).
  std::function<void(const Message&)> whileShown;
};

}  // namespace murlo::test
