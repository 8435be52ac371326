// murlo-cli resume FILE URL [--referrer R] --list FILE.mrl: adds the "RESUME" item of the
// resume dialog, so that a later download continues the partial file FILE.
#include <filesystem>
#include <system_error>

#include "analysis/local-file-entry.h"
#include "cli-commands.h"
#include "cli-list-file.h"

namespace murlo::cli {

int runResume(const Args& args) {
  Args positional;
  LocalFileEntry entry;
  std::string listPath;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--referrer" && hasValue) {
      entry.referrer = args[++i];
    } else if (args[i] == "--list" && hasValue) {
      listPath = args[++i];
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2 || listPath.empty()) {
    printError("使い方: murlo-cli resume FILE URL [--referrer R] --list FILE.mrl");
    return kExitUsage;
  }
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
