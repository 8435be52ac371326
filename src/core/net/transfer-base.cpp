#include "net/transfer-base.h"

#include <sys/stat.h>

#include "net/error-log.h"
#include "net/job-record.h"
#include "net/save-path.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"
#include "text/cp932.h"

namespace murlo {

namespace {

// A reason is kept to what a 1024-character buffer holds.
constexpr std::size_t kMaxReasonBytes = 1023;

}  // namespace

bool CTransferBase::FileExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

std::string CTransferBase::ResolveSaveName(JobRecord& job, bool* existing) {
  std::string candidate = job.fileName;
  unsigned counter = 0;
  if (existing != nullptr) *existing = false;
  if (!FileExists(job.saveDir + candidate)) return candidate;
  if (existing != nullptr) *existing = true;
  for (;;) {
    const int policy = job.movement.load();
    if (policy & movement::kOverwrite) return candidate;
    if (policy & movement::kAutoRename) {
      candidate = renamedCandidate(job.fileName, counter);
    } else {
      // No prompter counts as the dialog closed without a choice: rename from now on.
      const OverwriteChoice choice = job.prompter ? job.prompter->confirmOverwrite(job.url, candidate)
                                                  : OverwriteChoice::kAutoRenameAll;
      switch (choice) {
        case OverwriteChoice::kOverwrite:
          return candidate;
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
        case OverwriteChoice::kOverwriteAll:
          job.movement.fetch_or(movement::kOverwrite);
          return candidate;
        case OverwriteChoice::kAutoRenameAll:
          job.movement.fetch_or(movement::kAutoRename);
          break;
      }
    }
    ++counter;
    if (!FileExists(job.saveDir + candidate)) {
      if (existing != nullptr) *existing = false;
      return candidate;
    }
  }
}

void CTransferBase::LogResultText(EngineError code, JobRecord& job) {
  if (!code.isRefusal()) return;
  appendLog(job, utf8ToCp932(code.text()));
}

void CTransferBase::LogExceptionText(const std::exception& error, JobRecord& job) {
  appendLog(job, std::string_view(error.what()).substr(0, kMaxReasonBytes));
}

void CTransferBase::appendLog(JobRecord& job, std::string_view reason) {
  if (appendErrorLog(job.appDir, job.url, reason) || !job.prompter) return;
  job.prompter->message("Murlo.log 作成に致命的なｴﾗｰが発生しました\r\nすぐ制作者に連絡して下さい",
                        PromptIcon::kExclamation, PromptButtons::kOk);
}

}  // namespace murlo
