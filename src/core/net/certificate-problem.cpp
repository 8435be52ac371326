#include "net/certificate-problem.h"

#include <curl/curl.h>

namespace murlo {

namespace {

// The certificate check's codes (OpenSSL's X509_V_ERR_*), fixed by its interface.
constexpr long kUnableToGetIssuer = 2;
constexpr long kNotYetValid = 9;
constexpr long kExpired = 10;
constexpr long kSelfSigned = 18;
constexpr long kSelfSignedInChain = 19;
constexpr long kUnableToGetLocalIssuer = 20;
constexpr long kUnableToVerifyLeaf = 21;
constexpr long kRevoked = 23;
constexpr long kHostnameMismatch = 62;

std::string_view problemText(long verifyResult, std::string_view errorBuffer) {
  switch (verifyResult) {
    case kExpired: return "証明書の有効期限が切れています";
    case kNotYetValid: return "証明書の有効期間がまだ始まっていません";
    case kUnableToGetIssuer:
    case kSelfSigned:
    case kSelfSignedInChain:
    case kUnableToGetLocalIssuer:
    case kUnableToVerifyLeaf:
      return "証明書の発行者が不明です (信頼された認証局のものではありません)";
    case kRevoked: return "証明書は失効しています";
    case kHostnameMismatch: return "証明書がｻｰﾊﾞｰ名と一致しません";
    default: break;
  }
  // libcurl checks the name itself, after the certificate check passed.
  if (errorBuffer.find("subject name") != std::string_view::npos ||
      errorBuffer.find("does not match") != std::string_view::npos) {
    return "証明書がｻｰﾊﾞｰ名と一致しません";
  }
  return "証明書を確認できませんでした";
}

}  // namespace

bool isCertificateFailure(int curlCode) {
  switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS: return true;
    default: return false;
  }
}

bool isCertificateError(EngineError code) {
  const int curlCode = code.number - EngineError::curl(0).number;
  return code.kind == EngineError::Kind::kTransfer && code == EngineError::curl(curlCode) &&
         isCertificateFailure(curlCode);
}

std::string certificateReason(long verifyResult, std::string_view host,
                              std::string_view errorBuffer) {
  return "ｻｰﾊﾞｰ " + std::string(host) +
         " の証明書を確認できませんでした: " + std::string(problemText(verifyResult, errorBuffer));
}

}  // namespace murlo
