#include "net/job-record.h"

#include "net/disk-name.h"
#include "net/remote-file.h"
#include "settings/app-settings.h"

namespace murlo {

JobRecord::JobRecord() = default;
JobRecord::~JobRecord() = default;

void fillFromSettings(JobRecord& job, const AppSettings& settings, const std::string& appDir) {
  job.movement = settings.movement;
  job.connection = settings.connection;
  job.output = settings.output;
  job.tag = settings.tag;
  job.exset = settings.exSet;
  job.appDir = appDir;
  job.proxy = settings.proxyText();
  job.caFile = settings.caFile;
  job.bufferSize = settings.bufferBytes();
  job.timeoutMs = settings.timeoutMs();
  // A save folder that was never chosen is the application directory.
  job.saveDir = settings.path01.empty() ? appDir + (appDir.ends_with('/') ? "" : "/")
                                        : diskPath(settings.saveFolder());
}

}  // namespace murlo
