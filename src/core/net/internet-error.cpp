#include "net/internet-error.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstring>

#include "net/certificate-problem.h"
#include "net/curl-reason.h"

namespace murlo {

InternetError curlError(int curlCode, const std::string& errorBuffer) {
  const auto code = static_cast<CURLcode>(curlCode);
  const std::string text = curlReasonText(curlCode, errorBuffer);
  switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return InternetError(kCodeCannotConnect, text);
    case CURLE_REMOTE_FILE_NOT_FOUND: return InternetError(kCodeFileNotFound, text);
    default: return InternetError(EngineError::curl(curlCode), text);
  }
}

InternetError certificateError(int curlCode, long verifyResult, std::string_view host,
                               const std::string& errorBuffer) {
  std::string text = certificateReason(verifyResult, host, errorBuffer);
  if (!errorBuffer.empty()) text += " (" + errorBuffer + ")";
  return InternetError(EngineError::curl(curlCode), text);
}

InternetError urlError(int urlCode) {
  return InternetError(
      EngineError::url(urlCode),
      std::string("不正な URL です (") + curl_url_strerror(static_cast<CURLUcode>(urlCode)) + ")");
}

LocalFileError LocalFileError::fromErrno(FileErrorKind kind, const std::string& path) {
  const char* what =
      kind == FileErrorKind::kBadPath ? "cannot create the folder " : "cannot write the file ";
  return LocalFileError(kind, what + path + " (" + std::strerror(errno) + ")");
}

LocalFileError LocalFileError::givenUp(const std::string& path) {
  return LocalFileError(FileErrorKind::kGeneric, "the item was given up: " + path);
}

}  // namespace murlo
