// The options of murlo-cli as its help names them: "--name" alone is a switch, "--name
// VALUE" takes a value whose placeholder says what it is (DIR a folder, FILE.mrl a list file,
// FILE another file, "a|b|c" one of the words). Read from the help's own table, so the manual
// page and the completion follow every option the help gains.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli-help.h"

namespace murlo::cli {

struct HelpOption {
  std::string name;   // "--list"
  std::string value;  // "FILE.mrl", "ask|overwrite|rename"; empty for a switch
};

// The options `text` mentions, in the order of their first mention, each once; a value
// given at any mention counts.
std::vector<HelpOption> helpOptions(std::string_view text);

// The options of a command: those of its text, then the job options when it takes them.
std::vector<HelpOption> commandOptions(const CommandHelp& command);

}  // namespace murlo::cli
