#include "cli-prompter.h"

#include <unistd.h>

#include "terminal-output.h"

namespace murlo::cli {

CliPrompter::CliPrompter() : CliPrompter(stdin, stderrLine(), ::isatty(STDIN_FILENO) != 0) {}

void CliPrompter::printAnswered(const std::string& text, PromptAnswer answer) {
  out_.print("murlo-cli: " + showMessage(text) +
             (answer == PromptAnswer::kYes ? " (はい)\n" : " (いいえ)\n"));
}

std::optional<std::string> CliPrompter::readLine() {
  const StatusLine::Question asking(out_);
  std::string line;
  int c;
  while ((c = std::fgetc(in_)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

PromptAnswer CliPrompter::message(const std::string& text, PromptIcon, PromptButtons buttons) {
  const std::string shown = showMessage(text);
  if (buttons == PromptButtons::kOk) {
    out_.print("murlo-cli: " + shown + "\n");
    return PromptAnswer::kOk;
  }
  if (!interactive_) {
    printAnswered(text, PromptAnswer::kNo);
    return PromptAnswer::kNo;
  }
  out_.print("murlo-cli: " + shown + " [y/N] ");
  const std::optional<std::string> answer = readLine();
  return answer && (*answer == "y" || *answer == "Y" || *answer == "yes") ? PromptAnswer::kYes
                                                                          : PromptAnswer::kNo;
}

OverwriteChoice CliPrompter::confirmOverwrite(const std::string& url, const std::string& fileName) {
  out_.print("murlo-cli: 上書き保存の確認: " + showItemText(fileName) + " (" + showItemText(url) +
             ")\n");
  if (interactive_) {
    out_.print("  0: 上書き保存  1: 名前を付けて保存  2: 以降全て上書き  3: 以降全て自動 ﾘﾈｰﾑ > ");
    const std::optional<std::string> answer = readLine();
    if (answer && answer->size() == 1 && (*answer)[0] >= '0' && (*answer)[0] <= '3') {
      return static_cast<OverwriteChoice>((*answer)[0] - '0');
    }
  }
  return OverwriteChoice::kAutoRenameAll;
}

std::optional<std::string> CliPrompter::chooseSaveFile(const FileDialogRequest& request) {
  if (!interactive_) return std::nullopt;
  // An empty answer cancels, as the dialog's Cancel button does.
  out_.print("murlo-cli: " + showMessage(request.title) + " > ");
  std::optional<std::string> path = readLine();
  if (!path || path->empty()) return std::nullopt;
  return path;
}

}  // namespace murlo::cli
