#include "answering-prompter.h"

namespace murlo::cli {

PromptAnswer AnsweringPrompter::message(const std::string& text, PromptIcon icon,
                                        PromptButtons buttons) {
  std::optional<PromptAnswer> given;
  if (buttons == PromptButtons::kYesNo) given = answer_;
  if (buttons == PromptButtons::kYesNoDefaultNo && resumeOutside_) given = PromptAnswer::kYes;
  if (!given) return CliPrompter::message(text, icon, buttons);
  printAnswered(text, *given);
  return *given;
}

}  // namespace murlo::cli
