#include "net-test.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <regex>

#include "net/partial-file.h"
#include "settings/app-settings.h"

namespace murlo::test {

NetTest::NetTest() { ::mkdir(saveDir().c_str(), 0777); }

std::shared_ptr<JobRecord> NetTest::makeJob(const std::string& url, const std::string& fileName) {
  auto job = std::make_shared<JobRecord>();
  job->movement = movement::kAutoRename;
  job->connection = connection::kTimeout;
  job->timeoutMs = 5000;
  job->output = output::kErrorLog;
  job->url = url;
  job->appDir = sandbox_.dir();
  job->bufferSize = 1024;
  job->saveDir = saveDir();
  job->fileName = fileName;
  job->prompter = prompter_;
  return job;
}

std::string NetTest::saved(const std::string& name) const { return readFile(saveDir() + name); }

std::string NetTest::partialFile(const std::string& name, const std::string& url) const {
  return partialPathFor(saveDir() + name, url);
}

void NetTest::writeWithTime(const std::string& path, std::string_view data, std::time_t time) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(data.data(), data.size());
  const struct timespec times[2] = {{time, 0}, {time, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

bool NetTest::isSaved(const std::string& name) const {
  struct stat info {};
  return ::stat((saveDir() + name).c_str(), &info) == 0;
}

std::vector<NetTest::LogEntry> NetTest::logEntries() const {
  const std::string log = readFile(sandbox_.path("Murlo.log"));
  std::vector<LogEntry> entries;
  static const std::regex entry("\r\n\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}  ([^\r\n]*)\r\n([^\r\n]*)");
  for (std::sregex_iterator it(log.begin(), log.end(), entry), end; it != end; ++it) {
    entries.push_back({(*it)[1].str(), (*it)[2].str()});
  }
  return entries;
}

std::vector<std::string> NetTest::messageTexts() {
  std::vector<std::string> texts;
  for (const auto& message : prompter_->messages()) texts.push_back(message.text);
  return texts;
}

}  // namespace murlo::test
