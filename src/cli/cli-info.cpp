// murlo-cli info URL [--referrer R]: the item properties query of the desktop program,
// printed as the size in bytes, the server date and the last-modified text, one per line.
#include <cstdio>
#include <memory>

#include "cli-commands.h"
#include "cli-prompter.h"
#include "command-args.h"
#include "net/info-request.h"
#include "net/job-record.h"
#include "net/result-codes.h"
#include "net/worker-threads.h"
#include "settings/app-settings.h"
#include "terminal-output.h"

namespace murlo::cli {

int runInfo(const Args& args) {
  const CommandArgs parsed = parseCommandArgs(args, {"--referrer"});
  const Args& addresses = parsed.positional;
  if (!parsed.error.empty() || addresses.size() != 1) {
    if (!parsed.error.empty()) printError(parsed.error);
    printError("使い方: murlo-cli info URL [--referrer R]");
    return kExitUsage;
  }
  const std::string referrer = parsed.value("--referrer");
  const std::optional<std::string> appDirectory = currentDirectory();
  if (!appDirectory) return kExitFailed;
  const AppSettings settings = loadSettings(*appDirectory);

  // The engine's error messages go to standard error, as they would to a message box.
  const std::shared_ptr<JobRecord> job = makeInfoRequest(settings, *appDirectory, addresses[0],
                                                         referrer, std::make_shared<CliPrompter>());
  // The query runs on this thread: there is nothing else to do meanwhile.
  runItem(ItemKind::kInfo, *job);
  if (job->result != ItemResult::kSucceed) {
    printError("このﾌｧｲﾙは存在しません: " + addresses[0]);
    return kExitFailed;
  }
  std::printf("%lld\n%s\n%s\n", static_cast<long long>(job->info.remoteSize),
              showItemText(job->info.serverDate).c_str(),
              showItemText(job->info.lastModified).c_str());
  return kExitOk;
}

}  // namespace murlo::cli
