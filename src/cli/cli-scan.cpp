// murlo-cli scan FILE --page URL [--raw] [--list FILE.mrl]: analyses a saved page as the
// local-file analysis does, with the settings of Murlo.ini in the current directory.

#include "analysis/page-scan.h"
#include "cli-commands.h"
#include "cli-item-output.h"
#include "cli-list-file.h"
#include "cli-prompter.h"
#include "command-args.h"
#include "items/item-list.h"
#include "settings/app-settings.h"

namespace murlo::cli {

int runScan(const Args& args) {
  const CommandArgs parsed = parseCommandArgs(args, {"--page", "--list"}, {"--raw"});
  const Args& files = parsed.positional;
  const std::string pageAddress = parsed.value("--page");
  const std::string listPath = parsed.value("--list");
  const bool raw = parsed.has("--raw");
  if (!parsed.error.empty() || files.size() != 1 || pageAddress.empty()) {
    if (!parsed.error.empty()) printError(parsed.error);
    printError("使い方: murlo-cli scan FILE --page URL [--raw] [--list FILE.mrl]");
    return kExitUsage;
  }

  const std::optional<std::string> currentDir = currentDirectory();
  if (!currentDir) return kExitFailed;
  const std::string& appDirectory = *currentDir;
  const AppSettings settings = loadSettings(appDirectory);

  FileLock lock;
  ItemList list;
  // A file that exists but cannot be read whole is left untouched.
  if (!listPath.empty() &&
      (!lockListFile(lock, listPath) || !loadListFile(list, listPath, /*mustExist=*/false))) {
    return kExitUsage;
  }
  const int firstNew = list.count();

  CliPrompter prompter;
  const PageScanContext context{{list, settings}, prompter, appDirectory};
  const ScanResult result = scanPage(context, pageAddress, files[0], settings.tag);
  if (result == ScanResult::kFileUnreadable) printError(files[0] + ": ファイルを読み込めません");
  if (result != ScanResult::kComplete) return kExitFailed;

  if (!listPath.empty()) return saveListFile(list, listPath) ? kExitOk : kExitFailed;
  for (int row = firstNew; row < list.count(); ++row) printItem(list.row(row), raw);
  return kExitOk;
}

}  // namespace murlo::cli
