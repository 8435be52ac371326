#include "jobs/job-outcome.h"

namespace murlo {

std::string jobOutcomeTitle(const JobOutcome& outcome) {
  return outcome.kind == JobOutcome::Kind::kAnalysis ? "解析が終了しました"
                                                     : "ﾀﾞｳﾝﾛｰﾄﾞが終了しました";
}

std::string jobOutcomeText(const JobOutcome& outcome) {
  std::string text =
      std::to_string(outcome.succeeded) + "/" + std::to_string(outcome.total) + " 完了";
  if (outcome.failed > 0) text += "、失敗 " + std::to_string(outcome.failed);
  return text;
}

}  // namespace murlo
