// JobOutcome: how a job that ran to its end went, for a front end's notice of the end.
#pragma once

#include <cstdint>
#include <string>

namespace murlo {

struct JobOutcome {
  enum class Kind { kAnalysis, kDownload };
  Kind kind = Kind::kDownload;
  // The items (pages of an analysis) that succeeded, and all the job ended, failures included.
  std::int64_t succeeded = 0;
  std::int64_t total = 0;
  int failed = 0;
};

// "解析が終了しました" or "ﾀﾞｳﾝﾛｰﾄﾞが終了しました" (UTF-8).
std::string jobOutcomeTitle(const JobOutcome& outcome);
// "8/10 完了、失敗 2", or "10/10 完了" when nothing failed (UTF-8).
std::string jobOutcomeText(const JobOutcome& outcome);

}  // namespace murlo
