// The Prompter of murlo-cli: messages go to standard error; questions are asked on the
// terminal when standard input is one, and otherwise get the answer that changes nothing
// (No, cancel) or loses nothing (automatic renaming).
#pragma once

#include <cstdio>

#include "platform/prompter.h"
#include "status-line.h"

namespace murlo::cli {

class CliPrompter : public Prompter {
 public:
  // Asks on `in` only when `interactive`; prints through `out`.
  CliPrompter(std::FILE* in, StatusLine& out, bool interactive)
      : in_(in), out_(out), interactive_(interactive) {}
  // Standard input and standard error, interactive when standard input is a terminal.
  CliPrompter();

  PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) override;
  OverwriteChoice confirmOverwrite(const std::string& url, const std::string& fileName) override;
  std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;

 protected:
  // Prints the question with the answer it got without asking.
  void printAnswered(const std::string& text, PromptAnswer answer);

 private:
  // One line of input without its line end; nothing at the end of input. The progress line
  // is not drawn over the question meanwhile.
  std::optional<std::string> readLine();

  std::FILE* in_;
  StatusLine& out_;
  bool interactive_;
};

}  // namespace murlo::cli
