// CTransferBase: the file-system and log helpers every Internet worker uses.
#pragma once

#include <exception>
#include <string>

#include "net/engine-error.h"

namespace murlo {

struct JobRecord;

class CTransferBase {
 public:
  virtual ~CTransferBase() = default;

  // True when a file or folder of that path exists.
  static bool FileExists(const std::string& path);

  // The local name for the job's fileName under its saveDir after the same-name policy:
  // overwrite (movement::kOverwrite), automatic renaming (movement::kAutoRename), or the
  // overwrite question asked through the job's prompter while this worker thread waits.
  // `existing` tells whether the name returned is that of a file there now, chosen to be
  // overwritten.
  std::string ResolveSaveName(JobRecord& job, bool* existing = nullptr);

  // Appends a log entry for a refusal of the status check (nothing for other failures).
  void LogResultText(EngineError code, JobRecord& job);
  // Appends a log entry whose reason is the error's own text.
  void LogExceptionText(const std::exception& error, JobRecord& job);

 private:
  void appendLog(JobRecord& job, std::string_view reason);
};

}  // namespace murlo
