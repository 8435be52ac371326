#include "help-options.h"

#include <algorithm>

namespace murlo::cli {

namespace {

bool isNameChar(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; }

// Where an option begins: "--" and a letter, at the start of a word, a bracket or a choice.
bool optionStartsAt(std::string_view text, std::size_t at) {
  if (text.compare(at, 2, "--") != 0 || at + 2 >= text.size()) return false;
  if (text[at + 2] < 'a' || text[at + 2] > 'z') return false;
  return at == 0 || std::string_view(" [|(,\n").find(text[at - 1]) != std::string_view::npos;
}

// The word after an option when it is a value placeholder: upper case (DIR, FILE.mrl) or
// a choice of words (ask|overwrite|rename). Prose after an option ("--yes なら") is none.
std::string placeholderAt(std::string_view text, std::size_t at) {
  if (at >= text.size() || text[at] != ' ') return {};
  const std::size_t begin = at + 1;
  std::size_t end = begin;
  while (end < text.size() && std::string_view(" \n],)").find(text[end]) == std::string_view::npos)
    ++end;
  const std::string_view word = text.substr(begin, end - begin);
  if (word.empty() || word[0] == '-') return {};
  const bool upper = word[0] >= 'A' && word[0] <= 'Z';
  const bool choice =
      word.find('|') != std::string_view::npos &&
      std::all_of(word.begin(), word.end(), [](char c) { return isNameChar(c) || c == '|'; });
  return upper || choice ? std::string(word) : std::string();
}

void addOption(std::vector<HelpOption>& options, HelpOption option) {
  const auto known = std::find_if(options.begin(), options.end(),
                                  [&](const HelpOption& o) { return o.name == option.name; });
  if (known == options.end()) {
    options.push_back(std::move(option));
  } else if (known->value.empty()) {
    known->value = std::move(option.value);
  }
}

}  // namespace

std::vector<HelpOption> helpOptions(std::string_view text) {
  std::vector<HelpOption> options;
  for (std::size_t at = text.find("--"); at != std::string_view::npos;
       at = text.find("--", at + 2)) {
    if (!optionStartsAt(text, at)) continue;
    std::size_t end = at + 2;
    while (end < text.size() && isNameChar(text[end])) ++end;
    addOption(options, {std::string(text.substr(at, end - at)), placeholderAt(text, end)});
  }
  return options;
}

std::vector<HelpOption> commandOptions(const CommandHelp& command) {
  std::vector<HelpOption> options = helpOptions(command.text);
  if (command.jobOptions) {
    for (HelpOption& option : helpOptions(jobOptionsHelp())) addOption(options, std::move(option));
  }
  return options;
}

}  // namespace murlo::cli
