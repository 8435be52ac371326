// Analysis of a fetched page file: loads it, runs one of the link scanners over it and
// appends the links that addLink accepts to the item list. Runs on the front end's thread,
// like every change of the list.
#pragma once

#include <string>
#include <string_view>

#include "analysis/link-resolver.h"
#include "platform/prompter.h"

namespace murlo {

// Results of a page scan. Only kScanFileMissing counts as a failed page.
inline constexpr int kScanFileMissing = 0;
inline constexpr int kScanFileUnreadable = 1;
inline constexpr int kScanComplete = 33;

// The message shown for a missing page file. It names the temporary file whichever file
// was asked for.
inline constexpr const char* kPageFileMissingText = "ﾌｧｲﾙ(Murlo.tmp)が見付かりません";

struct PageScanContext {
  // The list the links go to, and the live settings (filters and tag bits 0 to 3).
  LinkSink sink;
  Prompter& prompter;
  // Where the temporary page file Murlo.tmp lives.
  std::string appDirectory;
};

// The temporary page file of an application directory: <dir>/Murlo.tmp.
std::string tempPagePath(const std::string& appDirectory);

// Scan the page file `filePath` (empty: the temporary page file) found at `pageAddress`,
// which becomes the base and the referrer of every link. A missing file is reported through
// the prompter with the stop icon.
int scanTags(const PageScanContext& context, std::string_view pageAddress,
             const std::string& filePath);
int scanHttpStrings(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath);

// The scan an analysis job runs: the string scanner when `jobTag` (the job's copy of the Tag
// setting) has tagbits::kAllHttp, else the tag scanner.
int scanPage(const PageScanContext& context, std::string_view pageAddress,
             const std::string& filePath, int jobTag);

}  // namespace murlo
