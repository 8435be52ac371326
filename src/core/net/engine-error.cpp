#include "net/engine-error.h"

namespace murlo {

namespace {

struct ErrorText {
  EngineError error;
  std::string_view text;
};

constexpr ErrorText kTexts[] = {
    {kReportNothing, {}},
    {kReportUnauthorized, "接続が拒否されました"},
    {kReportNoRedirect, "このｻｲﾄはﾘﾀﾞｲﾚｸﾄする場所がありません"},
    {kReportRedirectUnparsable, "ﾘﾀﾞｲﾚｸﾄされたURLを解析できません"},
    {kReportRedirectNotHttp, "ﾘﾀﾞｲﾚｸﾄされたURLはHTTPﾘｿｰｽではありません"},
    {kReportRedirectFailed, "接続が確立できません"},
    {kCodeFileNotFound, "指定されたﾌｧｲﾙが見つかりません"},
    {kCodeCannotConnect, "サーバーに接続できませんでした"},
};

}  // namespace

std::string_view EngineError::text() const {
  for (const ErrorText& entry : kTexts) {
    if (entry.error == *this) return entry.text;
  }
  return "接続に関するｴﾗｰが発生しました";
}

}  // namespace murlo
