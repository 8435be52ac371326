// The sub-commands of murlo-cli. Each takes the arguments after its name and returns the
// process exit status.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "items/item-list.h"
#include "settings/app-settings.h"

namespace murlo::cli {

// Exit statuses, mapped in one place: every item succeeded, some failed, bad usage or input
// (a list file another program is rewriting included), interrupted by Ctrl+C, SIGTERM or
// SIGHUP (the list was written back, so running the command again continues).
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 3;

using Args = std::vector<std::string>;

int runList(const Args& args);
int runAdd(const Args& args);
int runScan(const Args& args);
int runAnalyze(const Args& args);
int runRecurse(const Args& args);
int runDownload(const Args& args);
int runGet(const Args& args);
int runInfo(const Args& args);
int runResume(const Args& args);
int runSettings(const Args& args);

// Adds a typed address to `list` as the add-item bar does; kExitUsage, after printing why,
// when it is no address.
int addTyped(ItemList& list, const std::string& typed);

// Prints "murlo-cli: <message>" on standard error.
void printError(const std::string& message);
// The current directory, whose Murlo.ini the commands read; nothing after printing why.
std::optional<std::string> currentDirectory();
// The settings of Murlo.ini in `appDirectory`. A file there that cannot be used (a folder,
// a FIFO, a device, a file too large) gives the defaults, after printing why.
AppSettings loadSettings(const std::string& appDirectory);

}  // namespace murlo::cli
