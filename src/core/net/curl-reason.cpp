#include "net/curl-reason.h"

#include <curl/curl.h>

#include "net/engine-error.h"

namespace murlo {

namespace {

constexpr std::string_view kCertificate = "ｻｰﾊﾞｰの証明書を確認できませんでした";
constexpr std::string_view kSecureConnection = "SSL 接続を確立できませんでした";

}  // namespace

std::string_view curlReason(int curlCode) {
  switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_COULDNT_RESOLVE_HOST: return "ｻｰﾊﾞｰ名を解決できませんでした";
    case CURLE_COULDNT_RESOLVE_PROXY: return "ﾌﾟﾛｷｼ名を解決できませんでした";
    case CURLE_COULDNT_CONNECT: return "ｻｰﾊﾞｰに接続できませんでした";
    case CURLE_OPERATION_TIMEDOUT: return "接続がﾀｲﾑｱｳﾄしました";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH: return kCertificate;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_CLIENTCERT:
    case CURLE_USE_SSL_FAILED: return kSecureConnection;
    case CURLE_PARTIAL_FILE: return "ﾌｧｲﾙの途中で接続が切れました";
    case CURLE_RECV_ERROR: return "ﾃﾞｰﾀの受信に失敗しました";
    case CURLE_SEND_ERROR: return "ﾃﾞｰﾀの送信に失敗しました";
    case CURLE_GOT_NOTHING: return "ｻｰﾊﾞｰから応答がありませんでした";
    case CURLE_WEIRD_SERVER_REPLY: return "ｻｰﾊﾞｰの応答が正しくありません";
    case CURLE_TOO_MANY_REDIRECTS: return "ﾘﾀﾞｲﾚｸﾄが多すぎます";
    case CURLE_LOGIN_DENIED: return "ﾛｸﾞｲﾝが拒否されました";
    case CURLE_REMOTE_FILE_NOT_FOUND: return kCodeFileNotFound.text();
    case CURLE_BAD_CONTENT_ENCODING: return "圧縮されたﾃﾞｰﾀを展開できませんでした";
    case CURLE_OUT_OF_MEMORY: return "ﾒﾓﾘが足りません";
    default: return {};
  }
}

std::string curlReasonText(int curlCode, std::string_view errorBuffer) {
  const std::string_view reason = curlReason(curlCode);
  // Without a reason of its own, curl's text for the code is the only detail there is.
  const std::string_view detail =
      !errorBuffer.empty() ? errorBuffer
      : reason.empty()     ? std::string_view(curl_easy_strerror(static_cast<CURLcode>(curlCode)))
                           : std::string_view();
  std::string text(reason.empty() ? EngineError::curl(curlCode).text() : reason);
  if (!detail.empty()) text.append(" (").append(detail).append(")");
  return text;
}

}  // namespace murlo
