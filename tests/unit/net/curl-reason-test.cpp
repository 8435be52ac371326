// The reasons the log gives for the transfer failures a user meets.
#include "net/curl-reason.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

namespace murlo::test {
namespace {

TEST(CurlReasonTest, CommonFailuresHaveJapaneseReasonsWithCurlsDetailAfterThem) {
  const std::pair<CURLcode, std::string_view> reasons[] = {
      {CURLE_COULDNT_RESOLVE_HOST, "ｻｰﾊﾞｰ名を解決できませんでした"},
      {CURLE_COULDNT_RESOLVE_PROXY, "ﾌﾟﾛｷｼ名を解決できませんでした"},
      {CURLE_COULDNT_CONNECT, "ｻｰﾊﾞｰに接続できませんでした"},
      {CURLE_OPERATION_TIMEDOUT, "接続がﾀｲﾑｱｳﾄしました"},
      {CURLE_PEER_FAILED_VERIFICATION, "ｻｰﾊﾞｰの証明書を確認できませんでした"},
      {CURLE_SSL_CONNECT_ERROR, "SSL 接続を確立できませんでした"},
      {CURLE_PARTIAL_FILE, "ﾌｧｲﾙの途中で接続が切れました"},
      {CURLE_RECV_ERROR, "ﾃﾞｰﾀの受信に失敗しました"},
      {CURLE_SEND_ERROR, "ﾃﾞｰﾀの送信に失敗しました"},
      {CURLE_GOT_NOTHING, "ｻｰﾊﾞｰから応答がありませんでした"},
      {CURLE_TOO_MANY_REDIRECTS, "ﾘﾀﾞｲﾚｸﾄが多すぎます"},
  };
  for (const auto& [code, reason] : reasons) {
    EXPECT_EQ(curlReasonText(code, {}), reason) << code;
  }
  EXPECT_EQ(curlReasonText(CURLE_PEER_FAILED_VERIFICATION,
                           "SSL certificate problem: self-signed certificate"),
            "ｻｰﾊﾞｰの証明書を確認できませんでした (SSL certificate problem: self-signed "
            "certificate)");
  // A code without a reason of its own gets the generic text and curl's name for it.
  EXPECT_EQ(curlReasonText(CURLE_UNSUPPORTED_PROTOCOL, {}),
            std::string("接続に関するｴﾗｰが発生しました (") +
                curl_easy_strerror(CURLE_UNSUPPORTED_PROTOCOL) + ")");
}

}  // namespace
}  // namespace murlo::test
