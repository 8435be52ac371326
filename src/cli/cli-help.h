// The help texts of murlo-cli: all commands, or one command with its options. The same
// table makes the manual page and the shell's completion (cli-docs), so they never disagree.
#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace murlo::cli {

struct CommandHelp {
  const char* name;
  // Its synopsis lines, each followed by its description lines (UTF-8).
  const char* text;
  bool jobOptions;  // takes the options of the job commands
};

// Every command in the order of the help; the entry "help" also names the options that
// stand in place of a command (--version).
std::span<const CommandHelp> helpCommands();
// The texts that follow the commands in the whole help.
const char* jobOptionsHelp();
const char* exampleHelp();
const char* footerHelp();

// The whole help: every command, the job options, an example, the exit statuses.
void printUsage(std::FILE* out);
// One command's help; false when there is no such command.
bool printCommandHelp(const std::string& command);

}  // namespace murlo::cli
