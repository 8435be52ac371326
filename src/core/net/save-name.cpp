#include "net/save-name.h"

#include <sys/stat.h>

#include "net/job-record.h"
#include "net/save-path.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"

namespace murlo {

namespace {

// True when a file or folder of that path exists.
bool fileExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string resolveSaveName(const JobRecord& job, const std::string& fileName, int& movementWord,
                            bool* existing) {
  std::string candidate = fileName;
  unsigned counter = 0;
  if (existing != nullptr) *existing = false;
  if (!fileExists(job.saveDir + candidate)) return candidate;
  if (existing != nullptr) *existing = true;
  for (;;) {
    const int policy = movementWord;
    if (policy & movement::kOverwrite) return candidate;
    if (policy & movement::kAutoRename) {
      candidate = renamedCandidate(fileName, counter);
    } else {
      // No prompter counts as the dialog closed without a choice: rename from now on.
      const OverwriteChoice choice = job.prompter
                                         ? job.prompter->confirmOverwrite(job.url, candidate)
                                         : OverwriteChoice::kAutoRenameAll;
      switch (choice) {
        case OverwriteChoice::kOverwrite: return candidate;
        case OverwriteChoice::kSaveAs: {
          FileDialogRequest request;
          request.title = "ﾌｧｲﾙを保存する";
          request.initialFolder = job.saveDir;
          request.initialName = candidate;
          request.confirmOverwrite = true;
          const auto chosen = job.prompter->chooseSaveFile(request);
          // The chosen folder is ignored: the file goes to the save folder.
          return chosen ? safeFileName(baseName(*chosen)) : candidate;
        }
        case OverwriteChoice::kOverwriteAll: movementWord |= movement::kOverwrite; return candidate;
        case OverwriteChoice::kAutoRenameAll: movementWord |= movement::kAutoRename; break;
      }
    }
    ++counter;
    if (!fileExists(job.saveDir + candidate)) {
      if (existing != nullptr) *existing = false;
      return candidate;
    }
  }
}

}  // namespace murlo
