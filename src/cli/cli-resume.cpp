// murlo-cli resume FILE URL [--referrer R] --list FILE.mrl: adds the "RESUME" item of the
// resume dialog, so that a later download continues the partial file FILE.
#include <filesystem>
#include <system_error>

#include "analysis/local-file-entry.h"
#include "cli-commands.h"
#include "cli-list-file.h"
#include "command-args.h"

namespace murlo::cli {

int runResume(const Args& args) {
  const CommandArgs parsed = parseCommandArgs(args, {"--referrer", "--list"});
  const Args& positional = parsed.positional;
  const std::string listPath = parsed.value("--list");
  if (!parsed.error.empty() || positional.size() != 2 || listPath.empty()) {
    if (!parsed.error.empty()) printError(parsed.error);
    printError("使い方: murlo-cli resume FILE URL [--referrer R] --list FILE.mrl");
    return kExitUsage;
  }
  LocalFileEntry entry;
  entry.referrer = parsed.value("--referrer");
  // The row keeps the full path: the download may run from another directory.
  std::error_code error;
  entry.path =
      positional[0].empty() ? "" : std::filesystem::absolute(positional[0], error).string();
  entry.address = positional[1];
  if (const std::string refusal = resumeEntryError(entry); !refusal.empty()) {
    printError(refusal);
    return kExitUsage;
  }

  FileLock lock;
  ItemList list;
  if (!lockListFile(lock, listPath) || !loadListFile(list, listPath, /*mustExist=*/false)) {
    return kExitUsage;
  }
  addResumeItem(list, entry);
  return saveListFile(list, listPath) ? kExitOk : kExitFailed;
}

}  // namespace murlo::cli
