// murlo-cli: the Murlo engine for terminals and scripts, on the same list files and
// Murlo.ini as the desktop program.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli-commands.h"
#include "cli-help.h"
#include "settings/ini-file.h"
#include "status-line.h"
#include "terminal-output.h"

void murlo::cli::printError(const std::string& message) {
  stderrLine().print("murlo-cli: " + showMessage(message) + "\n");
}

std::optional<std::string> murlo::cli::currentDirectory() {
  std::error_code error;
  const std::string dir = std::filesystem::current_path(error).string();
  if (error) {
    printError("カレントディレクトリが分かりません: " + error.message());
    return std::nullopt;
  }
  return dir;
}

murlo::AppSettings murlo::cli::loadSettings(const std::string& appDirectory) {
  const std::string path = settingsPath(appDirectory);
  const IniFile ini = IniFile::load(path);
  const std::string problem = ini.readProblem(path);
  if (!problem.empty()) printError(problem);
  return readSettings(ini, appDirectory);
}

int main(int argc, char** argv) {
  using namespace murlo::cli;
  terminalCodeset();
  if (argc < 2) {
    printUsage(stdout);
    return kExitOk;
  }
  const std::string command = argv[1];
  const Args args(argv + 2, argv + argc);
  if (command == "help" || command == "--help" || command == "-h") {
    if (args.empty()) {
      printUsage(stdout);
      return kExitOk;
    }
    if (args.size() == 1 && printCommandHelp(args[0])) return kExitOk;
    printError("不明なコマンドです: " + args[0]);
    return kExitUsage;
  }
  if (command == "--version") {
    std::printf("murlo-cli %s\n", MURLO_VERSION);
    return kExitOk;
  }
  if (command == "list") return runList(args);
  if (command == "add") return runAdd(args);
  if (command == "scan") return runScan(args);
  if (command == "analyze") return runAnalyze(args);
  if (command == "recurse") return runRecurse(args);
  if (command == "download") return runDownload(args);
  if (command == "get") return runGet(args);
  if (command == "info") return runInfo(args);
  if (command == "resume") return runResume(args);
  if (command == "settings") return runSettings(args);
  printError("不明なコマンドです: " + command);
  printUsage(stderr);
  return kExitUsage;
}
