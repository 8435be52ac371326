// The reasons for failures the loopback tests cannot bring about: a name that does not
// resolve and a certificate that does not verify; and the generic text for the rest.
#include "net/curl-reason.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

namespace murlo::test {
namespace {

TEST(CurlReasonTest, JapaneseReasonFirstAndCurlsDetailInParentheses) {
  EXPECT_EQ(curlReasonText(CURLE_COULDNT_RESOLVE_HOST, {}), "ｻｰﾊﾞｰ名を解決できませんでした");
  EXPECT_EQ(curlReasonText(CURLE_PEER_FAILED_VERIFICATION,
                           "SSL certificate problem: self-signed certificate"),
            "ｻｰﾊﾞｰの証明書を確認できませんでした (SSL certificate problem: self-signed "
            "certificate)");
  EXPECT_EQ(curlReasonText(CURLE_UNSUPPORTED_PROTOCOL, {}),
            std::string("接続に関するｴﾗｰが発生しました (") +
                curl_easy_strerror(CURLE_UNSUPPORTED_PROTOCOL) + ")");
}

}  // namespace
}  // namespace murlo::test
