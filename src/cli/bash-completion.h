// The bash completion of murlo-cli, made from the help's table and the setting names:
// commands, each command's options, the values of options, setting names and their values.
#pragma once

#include <string>

namespace murlo::cli {

// A script for share/bash-completion/completions/murlo-cli (or to be sourced).
std::string bashCompletion();

}  // namespace murlo::cli
