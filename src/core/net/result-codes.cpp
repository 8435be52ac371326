#include "net/result-codes.h"

namespace murlo {

std::string_view reportText(int code) {
  switch (code) {
    case kReportNothing: return {};
    case kReportUnauthorized: return "接続が拒否されました";
    case kReportNoRedirect: return "このｻｲﾄはﾘﾀﾞｲﾚｸﾄする場所がありません";
    case kReportRedirectUnparsable: return "ﾘﾀﾞｲﾚｸﾄされたURLを解析できません";
    case kReportRedirectNotHttp: return "ﾘﾀﾞｲﾚｸﾄされたURLはHTTPﾘｿｰｽではありません";
    case kReportRedirectFailed: return "接続が確立できません";
    case kCodeFileNotFound: return "指定されたﾌｧｲﾙが見つかりません";
    case kCodeCannotConnect: return "サーバーに接続できませんでした";
    default: return "接続に関するｴﾗｰが発生しました";
  }
}

PromptIcon reportIcon(int code) {
  return code < 0 && code >= kReportRedirectFailed ? PromptIcon::kExclamation : PromptIcon::kStop;
}

}  // namespace murlo
