// The arguments of the commands that take a few named options and some positional
// arguments: "--name VALUE" options, "--name" switches and the rest in order. An option the
// command does not know, or one that lacks its value, is a usage error rather than being
// taken for a positional argument.
#pragma once

#include <map>
#include <set>
#include <string>

#include "cli-commands.h"

namespace murlo::cli {

struct CommandArgs {
  std::map<std::string, std::string> values;  // "--name" -> VALUE
  std::set<std::string> switches;             // the "--name" switches given
  Args positional;
  std::string error;  // what made the arguments unusable; empty when they are fine

  std::string value(const std::string& name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  }
  bool has(const std::string& name) const { return switches.contains(name); }
};

// Sorts `args` by the options the command knows: `valueOptions` take the argument after
// them, `switchOptions` stand alone. Anything else that begins with "--" is an error.
CommandArgs parseCommandArgs(const Args& args, const std::set<std::string>& valueOptions,
                             const std::set<std::string>& switchOptions = {});

}  // namespace murlo::cli
