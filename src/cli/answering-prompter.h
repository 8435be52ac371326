// The Prompter of the job commands: answers the questions the command line answered in
// advance, and leaves the rest to the terminal prompter.
//
// --yes and --no answer plain Yes/No questions only. A risky question (kYesNoDefaultNo, such
// as continuing a partial file that lies outside the save folder) is answered Yes only by
// its own option, --resume-outside; without it, it is asked on a terminal ([y/N]) and
// answered No elsewhere.
#pragma once

#include <optional>

#include "cli-prompter.h"

namespace murlo::cli {

class AnsweringPrompter : public CliPrompter {
 public:
  AnsweringPrompter(std::optional<PromptAnswer> answer, bool resumeOutside)
      : answer_(answer), resumeOutside_(resumeOutside) {}
  AnsweringPrompter(std::optional<PromptAnswer> answer, bool resumeOutside, std::FILE* in,
                    StatusLine& out, bool interactive)
      : CliPrompter(in, out, interactive), answer_(answer), resumeOutside_(resumeOutside) {}

  PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) override;

 private:
  std::optional<PromptAnswer> answer_;
  bool resumeOutside_;
};

}  // namespace murlo::cli
