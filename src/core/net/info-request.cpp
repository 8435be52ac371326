#include "net/info-request.h"

#include "net/job-record.h"

namespace murlo {

std::shared_ptr<JobRecord> makeInfoRequest(const AppSettings& settings, const std::string& appDir,
                                           const std::string& address, const std::string& referrer,
                                           std::shared_ptr<Prompter> prompter) {
  auto job = std::make_shared<JobRecord>();
  fillFromSettings(*job, settings, appDir);
  job->kind = ItemKind::kInfo;
  job->output = 0;
  job->url = address;
  job->referrer = referrer;
  job->prompter = std::move(prompter);
  return job;
}

}  // namespace murlo
