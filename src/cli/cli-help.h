// The help texts of murlo-cli: all commands, or one command with its options.
#pragma once

#include <cstdio>
#include <string>

namespace murlo::cli {

// The whole help: every command, the job options, an example, the exit statuses.
void printUsage(std::FILE* out);
// One command's help; false when there is no such command.
bool printCommandHelp(const std::string& command);

}  // namespace murlo::cli
