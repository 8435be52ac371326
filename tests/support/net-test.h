// The fixture of the network tests: a sandbox as application directory with a save folder
// under it, a scripted prompter, and records filled like a job fills them.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "net/job-record.h"
#include "sandbox.h"
#include "scripted-prompter.h"

namespace murlo::test {

class NetTest : public ::testing::Test {
 protected:
  NetTest();

  // A download record for `url` saved as `fileName`: automatic renaming, the error log on,
  // a 5-second time-out, the 1024-byte buffer.
  std::shared_ptr<JobRecord> makeJob(const std::string& url,
                                     const std::string& fileName = "file.bin");
  std::string saveDir() const { return sandbox_.path("save") + "/"; }
  std::string saved(const std::string& name) const;
  // Where the download of `url` as `name` keeps its bytes until it is complete.
  std::string partialFile(const std::string& name, const std::string& url) const;
  bool isSaved(const std::string& name) const;
  // The entries of Murlo.log: time stamp line (without the time) and reason.
  struct LogEntry {
    std::string url;
    std::string reason;
  };
  std::vector<LogEntry> logEntries() const;
  std::vector<std::string> messageTexts();
  // Writes `data` to `path` with the modification time `time`, as an earlier run leaves a
  // partial file.
  static void writeWithTime(const std::string& path, std::string_view data, std::time_t time);

  Sandbox sandbox_;
  std::shared_ptr<ScriptedPrompter> prompter_ = std::make_shared<ScriptedPrompter>();
};

}  // namespace murlo::test
