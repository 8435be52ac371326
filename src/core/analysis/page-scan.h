// Analysis of a fetched page file: loads it, runs one of the link scanners over it and
// appends the links that addLink accepts to the item list. Runs on the front end's thread,
// like every change of the list.
#pragma once

#include <string>
#include <string_view>

#include "analysis/link-resolver.h"
#include "platform/prompter.h"

namespace murlo {

// Results of a page scan. Only kFileMissing counts as a failed page.
enum class ScanResult { kFileMissing, kFileUnreadable, kComplete };

// The message shown for a missing page file. It names the temporary file whichever file
// was asked for.
inline constexpr const char* kPageFileMissingText = "ﾌｧｲﾙ(Murlo.tmp)が見付かりません";

struct PageScanContext {
  // The list the links go to, and the live settings (filters and the four tag kinds).
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
ScanResult scanTags(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath);
ScanResult scanHttpStrings(const PageScanContext& context, std::string_view pageAddress,
                           const std::string& filePath);

// The same with the HTML link finder; a <base href> of the page becomes the base.
ScanResult scanHtml(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath);

// The scan of a page's markup: the HTML link finder when `tag` has tagbits::kHtml5, else
// the tag scanner.
ScanResult scanMarkup(const PageScanContext& context, std::string_view pageAddress,
                      const std::string& filePath, int tag);

// The scan an analysis job runs: the string scanner when `jobTag` (the job's copy of the Tag
// setting) has tagbits::kAllHttp, else scanMarkup.
ScanResult scanPage(const PageScanContext& context, std::string_view pageAddress,
                    const std::string& filePath, int jobTag);

}  // namespace murlo
